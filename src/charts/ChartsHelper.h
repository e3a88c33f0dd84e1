#pragma once

#include "host/ResultLayout.h"
#include "support/OleColor.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <QString>

class QWidget;

/// Number texts, equation texts, colours and data ranges shared by the charts, the window and the reports.
namespace lrv::ChartsHelper {

/// A tick label: one decimal ("0.0", "0.5", "1.0"), scientific when that is longer than 8 characters.
QString FormatTickLabel(double value);
/// A number with up to `digits` decimals: "1" for exactly 1, "0" for 0 or NaN, trailing zeros and a
/// trailing separator removed; scientific when it would round to zero at eight decimals or has more
/// than nine integer digits.
QString FormatNumberText(double value, int digits);
QString FormatValue8(double value);
QString FormatValue15(double value);

/// Column 0 of the placeholder table a chart shows before it has data: frame and ticks, no series, no notice.
inline constexpr double kNoChartData = -9999999999.0;

/// The text of a fitted line y = a·x + b with its R-square on a second line; kUndefinedFit marks an undefined
/// value; empty when a or b is not a number.
QString GetEquationText(double a, double b, double rs);

/// The colour stored under key + ".R", ".G", ".B" in the host configuration; black without one.
OleColor GetConfigColor(const QString& key);
/// Background and fore colour of a control from the configuration (white and black without one): through
/// its "BackColor"/"ForeColor" properties when it has them, else through its palette.
void ApplyChartColors(QWidget* control);

/// Minimum and maximum of an x and a y column.
struct ColumnRange {
    double MinX = 0;
    double MaxX = 1;
    double MinY = 0;
    double MaxY = 1;
};
/// Fills range from every row; on any error (no rows, a column outside the table, a cell that is not a
/// number) the unit square and false.
bool GetColumnRange(const Table<double>& data, int xColumn, int yColumn, ColumnRange& range);
bool GetVariantColumnRange(const Table<Variant>& data, int xColumn, int yColumn, ColumnRange& range);

/// (b - a) relative to the mean of a and b; 1 when a equals b; b - a when the mean is 0.
double RelativeDifference(double a, double b);

/// Target := source with `column` scaled onto 0..1 by |x - min| / span; offset := |min| / span. A span
/// of 0 leaves the column as it is.
void NormalizeColumn(const Table<Variant>& source, Table<Variant>& target, double& offset, int column);

} // namespace lrv::ChartsHelper

namespace lrv {
class ChartComponent;
}

namespace lrv::ChartsHelper {

/// The axis label format for the ends of an axis: 20 (scientific) when either end is beyond ±999999, or
/// below 1e-8 in size while the low end is not 0; else 0 (general numbers). The ends may come in any order.
int AxisLabelFormatFor(double low, double high);
/// Gives an axis of the chart component's first diagram the label format for its ends.
void SetAxisLabelFormat(ChartComponent& chart, Qt::Orientation axis, double low, double high);

} // namespace lrv::ChartsHelper
