#pragma once

#include <optional>

#include <QColor>
#include <QString>

/// Colours of the bar charts from the host configuration.
namespace lrv::BarChartColors {

/// The colour stored under key + ".R", ".G", ".B", or nothing when there is no configuration or one of
/// the three entries is missing; the control then keeps its designed colour.
std::optional<QColor> configured(const QString& key);

} // namespace lrv::BarChartColors
