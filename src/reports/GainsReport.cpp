#include "reports/GainsReport.h"

#include "reports/ReportRecordsModel.h"

#include <algorithm>

namespace lrv {

namespace {
    bool isRounded(int column)
    {
        return column == index(GainsColumn::Rate) || column == index(GainsColumn::Lift)
            || column == index(GainsColumn::CumulativeRate) || column == index(GainsColumn::CumulativeLift);
    }
}

GainsReport::GainsReport()
    : TableReport(4, 1, [] {
        // The record holds one item per data column, so a column shows the item of its own number.
        const auto shown
            = [](const QString& caption, GainsColumn column) { return ColumnSpec(caption, column, index(column)); };
        return std::vector<ColumnSpec> { shown(QStringLiteral("Quantile"), GainsColumn::Bucket),
            shown(QStringLiteral("Upper Boundary"), GainsColumn::UpperBoundary),
            shown(QStringLiteral("Lower Boundary"), GainsColumn::LowerBoundary),
            shown(QStringLiteral("Positive Cases"), GainsColumn::Positives),
            shown(QStringLiteral("Total Cases"), GainsColumn::Total),
            shown(QStringLiteral("Positives Rate"), GainsColumn::Rate),
            shown(QStringLiteral("Lift"), GainsColumn::Lift),
            shown(QStringLiteral("Cumulative Positives"), GainsColumn::CumulativePositives),
            shown(QStringLiteral("Cumulative Positives Rate"), GainsColumn::CumulativeRate),
            shown(QStringLiteral("Cumulative Lift"), GainsColumn::CumulativeLift) };
    }())
{
}

void GainsReport::fillRecords(ReportRecordsModel& records)
{
    const Table<Variant>& data = variantData();
    requireColumns(index(GainsColumn::Bucket), index(GainsColumn::Total));
    // The record holds one item per data column; the hidden columns are items no grid column shows.
    for (int row = std::max(1, data.rowLow()); row <= data.rowHigh(); ++row) {
        records.addRecord();
        for (int col = 0; col <= data.colHigh(); ++col) {
            const Variant cell = data.at(row, col);
            if (!cell.isNumeric()) {
                records.addText(cell.text());
                continue;
            }
            records.addNumber(cell.toDouble(), isRounded(col) ? CaptionFormat::Value8 : CaptionFormat::None);
        }
    }
}

int GainsReport::firstCopiedRow() const { return std::max(1, variantData().rowLow()); }

} // namespace lrv
