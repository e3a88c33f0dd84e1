#include "reports/GainsReport.h"

#include "reports/ReportRecordsModel.h"

#include <algorithm>

namespace lrv {

GainsReport::GainsReport()
    : TableReport(4, 1,
        { { QStringLiteral("Quantile"), 0, 0 }, { QStringLiteral("Upper Boundary"), 1, 1 },
            { QStringLiteral("Lower Boundary"), 2, 2 }, { QStringLiteral("Positive Cases"), 4, 4 },
            { QStringLiteral("Total Cases"), 12, 12 }, { QStringLiteral("Positives Rate"), 5, 5 },
            { QStringLiteral("Lift"), 6, 6 }, { QStringLiteral("Cumulative Positives"), 7, 7 },
            { QStringLiteral("Cumulative Positives Rate"), 8, 8 }, { QStringLiteral("Cumulative Lift"), 10, 10 } })
{
}

void GainsReport::fillRecords(ReportRecordsModel& records)
{
    const Table<Variant>& data = variantData();
    requireColumns(0, 12);
    // The record holds one item per data column; the hidden columns are items no grid column shows.
    for (int row = std::max(1, data.rowLow()); row <= data.rowHigh(); ++row) {
        records.addRecord();
        for (int col = 0; col <= data.colHigh(); ++col) {
            const Variant cell = data.at(row, col);
            if (!cell.isNumeric()) {
                records.addText(cell.text());
                continue;
            }
            const bool rounded = col == 5 || col == 6 || col == 8 || col == 10;
            records.addNumber(cell.toDouble(), rounded ? CaptionFormat::Value8 : CaptionFormat::None);
        }
    }
}

int GainsReport::firstCopiedRow() const { return std::max(1, variantData().rowLow()); }

} // namespace lrv
