#include "reports/QuantileReport.h"

#include "host/UncertaintyFigures.h"
#include "reports/ReportRecordsModel.h"

#include <algorithm>

namespace lrv {

namespace {
    constexpr int kLastDecileColumn = index(DecileColumn::Last);
    /// The interval's ends follow the decile table's columns.
    constexpr int kWilsonLowColumn = kLastDecileColumn + 1;
    constexpr int kWilsonHighColumn = kLastDecileColumn + 2;

    bool isPercent(int column)
    {
        return column == index(DecileColumn::PositivePercent) || column == index(DecileColumn::NegativePercent)
            || column == index(DecileColumn::CumulativePositivePercent);
    }

    /// The decile table widened by the interval columns; cells of rows without an interval stay empty.
    class WithIntervals : public TableSource<Variant> {
    public:
        WithIntervals(Table<Variant> deciles, Table<double> calibration)
            : m_deciles(std::move(deciles))
            , m_calibration(std::move(calibration))
        {
        }

        Variant cell(std::int64_t rowOffset, int colOffset) const override
        {
            const int row = m_deciles.rowLow() + int(rowOffset), column = m_deciles.colLow() + colOffset;
            if (column <= kLastDecileColumn)
                return m_deciles.at(row, column);
            const int source
                = index(column == kWilsonLowColumn ? CalibrationColumn::WilsonLow : CalibrationColumn::WilsonHigh);
            return m_calibration.contains(row, source) ? Variant(m_calibration.at(row, source)) : Variant();
        }

    private:
        Table<Variant> m_deciles;
        Table<double> m_calibration;
    };
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
            { QStringLiteral("Cumulative Positives %"), DecileColumn::CumulativePositivePercent },
            { QStringLiteral("Positive Rate 95 % Low"), kWilsonLowColumn },
            { QStringLiteral("Positive Rate 95 % High"), kWilsonHighColumn } })
{
}

void QuantileReport::SetDataSourceVar(const Table<Variant>& data)
{
    m_deciles = data;
    SetCalibration({});
}

void QuantileReport::SetCalibration(const Table<double>& calibration)
{
    m_calibration = calibration;
    // A table without the decile table's columns is passed on as it is: the refresh says what is missing.
    if (m_deciles.colLow() != 0 || m_deciles.colHigh() < kLastDecileColumn) {
        TableReport::SetDataSourceVar(m_deciles);
        return;
    }
    TableReport::SetDataSourceVar(Table<Variant>::computed(m_deciles.rowLow(), m_deciles.rowHigh(), 0,
        kWilsonHighColumn, std::make_shared<const WithIntervals>(m_deciles, m_calibration)));
}

void QuantileReport::fillRecords(ReportRecordsModel& records)
{
    const Table<Variant>& data = variantData();
    requireColumns(index(DecileColumn::Bucket), index(DecileColumn::Last));
    const std::vector<int>& map = columnMap();
    const bool withIntervals = data.colHigh() == kWilsonHighColumn;
    for (int row = std::max(1, data.rowLow()); row <= data.rowHigh(); ++row) {
        // Every cell is read before the record is added: a text cell ends the refresh after whole rows only.
        std::vector<double> numbers(map.size());
        for (std::size_t k = 0; k < map.size(); ++k)
            if (map[k] <= kLastDecileColumn)
                numbers[k] = data.at(row, map[k]).toDouble();
        records.addRecord();
        for (std::size_t k = 0; k < map.size(); ++k) {
            if (map[k] <= kLastDecileColumn) {
                records.addNumber(
                    numbers[k], isPercent(map[k]) ? CaptionFormat::PercentOfHundred : CaptionFormat::None);
                continue;
            }
            const Variant end = withIntervals ? data.at(row, map[k]) : Variant();
            if (end.isEmpty())
                records.addText(QString());
            else
                records.addNumber(end.toDouble(), CaptionFormat::Value8);
        }
    }
}

} // namespace lrv
