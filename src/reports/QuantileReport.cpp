#include "reports/QuantileReport.h"

#include "reports/ReportRecordsModel.h"

#include <algorithm>
#include <array>

namespace lrv {

namespace {
    bool isPercent(int column)
    {
        return column == index(DecileColumn::PositivePercent) || column == index(DecileColumn::NegativePercent)
            || column == index(DecileColumn::CumulativePositivePercent);
    }
}

QuantileReport::QuantileReport()
    : TableReport(1, 1,
        { { QStringLiteral("Quantile"), DecileColumn::Bucket },
            { QStringLiteral("Upper Boundary"), DecileColumn::UpperBoundary },
            { QStringLiteral("Lower Boundary"), DecileColumn::LowerBoundary },
            { QStringLiteral("Positive Cases"), DecileColumn::Positives },
            { QStringLiteral("Negative Cases"), DecileColumn::Negatives },
            { QStringLiteral("Total Cases"), DecileColumn::Total },
            { QStringLiteral("Positive Cases %"), DecileColumn::PositivePercent },
            { QStringLiteral("Negative Cases %"), DecileColumn::NegativePercent },
            { QStringLiteral("Cumulative Positives"), DecileColumn::CumulativePositives },
            { QStringLiteral("Cumulative Positives %"), DecileColumn::CumulativePositivePercent } })
{
}

void QuantileReport::fillRecords(ReportRecordsModel& records)
{
    const Table<Variant>& data = variantData();
    requireColumns(index(DecileColumn::Bucket), index(DecileColumn::Last));
    const std::vector<int>& map = columnMap();
    for (int row = std::max(1, data.rowLow()); row <= data.rowHigh(); ++row) {
        // Every cell is read before the record is added: a text cell ends the refresh after whole rows only.
        std::vector<double> values(map.size());
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = data.at(row, map[k]).toDouble();
        records.addRecord();
        for (std::size_t k = 0; k < values.size(); ++k)
            records.addNumber(values[k], isPercent(map[k]) ? CaptionFormat::PercentOfHundred : CaptionFormat::None);
    }
}

} // namespace lrv
