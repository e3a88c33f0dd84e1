#include "reports/QuantileReport.h"

#include "reports/ReportRecordsModel.h"

#include <algorithm>
#include <array>

namespace lrv {

QuantileReport::QuantileReport()
    : TableReport(1, 1,
        { { QStringLiteral("Quantile"), 0 }, { QStringLiteral("Upper Boundary"), 1 },
            { QStringLiteral("Lower Boundary"), 2 }, { QStringLiteral("Positive Cases"), 3 },
            { QStringLiteral("Negative Cases"), 4 }, { QStringLiteral("Total Cases"), 5 },
            { QStringLiteral("Positive Cases %"), 7 }, { QStringLiteral("Negative Cases %"), 9 },
            { QStringLiteral("Cumulative Positives"), 10 }, { QStringLiteral("Cumulative Positives %"), 11 } })
{
}

void QuantileReport::fillRecords(ReportRecordsModel& records)
{
    const Table<Variant>& data = variantData();
    requireColumns(0, 11);
    const std::vector<int>& map = columnMap();
    constexpr std::array<bool, 10> isPercent { false, false, false, false, false, false, true, true, false, true };
    for (int row = std::max(1, data.rowLow()); row <= data.rowHigh(); ++row) {
        // Every cell is read before the record is added: a text cell ends the refresh after whole rows only.
        std::array<double, 10> values {};
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = data.at(row, map[k]).toDouble();
        records.addRecord();
        for (std::size_t k = 0; k < values.size(); ++k)
            records.addNumber(values[k], isPercent[k] ? CaptionFormat::PercentOfHundred : CaptionFormat::None);
    }
}

} // namespace lrv
