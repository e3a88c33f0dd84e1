#pragma once

#include <optional>

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

namespace lrv {
class PercentBarPlot;
class SwatchLegend;
}

/// Colours of the bar charts from the host configuration.
namespace lrv::BarChartColors {

/// The colour stored under key + ".R", ".G", ".B", or nothing when there is no configuration or one of
/// the three entries is missing; the control then keeps its designed colour.
std::optional<QColor> configured(const QString& key);
/// Gives series k of the plot and its legend swatch the fill and border configured under seriesKeys[k] +
/// "BackColor" and + "Border", where both are.
void applyConfigured(PercentBarPlot& plot, SwatchLegend& legend, const QStringList& seriesKeys);
/// The fore colour of a bar chart: its texts, the legend's and the plot's frame.
void applyForeColor(QWidget& control, PercentBarPlot& plot, SwatchLegend& legend, const QColor& color);

} // namespace lrv::BarChartColors
