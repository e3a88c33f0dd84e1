#include "reports/LogOddsReport.h"

#include "reports/ReportRecordsModel.h"

#include <algorithm>

namespace lrv {

LogOddsReport::LogOddsReport()
    : TableReport(6, 1,
        { { QStringLiteral("Quantile"), LogOddsColumn::Bucket },
            { QStringLiteral("Upper Boundary"), LogOddsColumn::UpperBoundary },
            { QStringLiteral("Lower Boundary"), LogOddsColumn::LowerBoundary },
            { QStringLiteral("Positive Cases"), LogOddsColumn::Positives },
            { QStringLiteral("Negative Cases"), LogOddsColumn::Negatives },
            { QStringLiteral("Total Cases"), LogOddsColumn::Total },
            { QStringLiteral("Positive Cases %"), LogOddsColumn::PositivePercent },
            { QStringLiteral("Negative Cases %"), LogOddsColumn::NegativePercent },
            { QStringLiteral("Odds Ratio"), LogOddsColumn::Odds },
            { QStringLiteral("Log Odds"), LogOddsColumn::LogOdds } })
{
}

void LogOddsReport::fillRecords(ReportRecordsModel& records)
{
    const Table<Variant>& data = variantData();
    requireColumns(index(LogOddsColumn::Bucket), index(LogOddsColumn::LogOdds));
    for (int row = std::max(1, data.rowLow()); row <= data.rowHigh(); ++row) {
        records.addRecord();
        for (int col = index(LogOddsColumn::Bucket); col <= index(LogOddsColumn::LogOdds); ++col) {
            const Variant cell = data.at(row, col);
            if (!cell.isNumeric()) {
                records.addText(cell.text());
                continue;
            }
            const bool percent
                = col == index(LogOddsColumn::PositivePercent) || col == index(LogOddsColumn::NegativePercent);
            records.addNumber(cell.toDouble(), percent ? CaptionFormat::PercentOfHundred : CaptionFormat::None);
        }
    }
}

} // namespace lrv
