#include "reports/LogOddsReport.h"

#include "reports/ReportRecordsModel.h"

#include <algorithm>

namespace lrv {

LogOddsReport::LogOddsReport()
    : TableReport(6, 1,
        { { QStringLiteral("Quantile"), 0 }, { QStringLiteral("Upper Boundary"), 1 },
            { QStringLiteral("Lower Boundary"), 2 }, { QStringLiteral("Positive Cases"), 3 },
            { QStringLiteral("Negative Cases"), 4 }, { QStringLiteral("Total Cases"), 5 },
            { QStringLiteral("Positive Cases %"), 6 }, { QStringLiteral("Negative Cases %"), 7 },
            { QStringLiteral("Odds Ratio"), 8 }, { QStringLiteral("Log Odds"), 9 } })
{
}

void LogOddsReport::fillRecords(ReportRecordsModel& records)
{
    const Table<Variant>& data = variantData();
    requireColumns(0, 9);
    for (int row = std::max(1, data.rowLow()); row <= data.rowHigh(); ++row) {
        records.addRecord();
        for (int col = 0; col <= 9; ++col) {
            const Variant cell = data.at(row, col);
            if (!cell.isNumeric()) {
                records.addText(cell.text());
                continue;
            }
            const bool percent = col == 6 || col == 7;
            records.addNumber(cell.toDouble(), percent ? CaptionFormat::PercentOfHundred : CaptionFormat::None);
        }
    }
}

} // namespace lrv
