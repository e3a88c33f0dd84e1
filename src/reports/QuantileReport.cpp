#include "reports/QuantileReport.h"

#include "host/UncertaintyFigures.h"
#include "reports/ReportRecordsModel.h"

#include <algorithm>
#include <array>

namespace lrv {

namespace {
    constexpr int kLastDecileColumn = 11;
    /// The interval's ends follow the decile table's columns.
    constexpr int kWilsonLowColumn = kLastDecileColumn + 1;
    constexpr int kWilsonHighColumn = kLastDecileColumn + 2;

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
            const int source = col(column == kWilsonLowColumn ? CalibrationColumn::WilsonLow : CalibrationColumn::WilsonHigh);
            return m_calibration.contains(row, source) ? Variant(m_calibration.at(row, source)) : Variant();
        }

    private:
        Table<Variant> m_deciles;
        Table<double> m_calibration;
    };
}

QuantileReport::QuantileReport()
    : TableReport(1, 1,
        { { QStringLiteral("Quantile"), 0 }, { QStringLiteral("Upper Boundary"), 1 },
            { QStringLiteral("Lower Boundary"), 2 }, { QStringLiteral("Positive Cases"), 3 },
            { QStringLiteral("Negative Cases"), 4 }, { QStringLiteral("Total Cases"), 5 },
            { QStringLiteral("Positive Cases %"), 7 }, { QStringLiteral("Negative Cases %"), 9 },
            { QStringLiteral("Cumulative Positives"), 10 }, { QStringLiteral("Cumulative Positives %"), 11 },
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
    requireColumns(0, kLastDecileColumn);
    const std::vector<int>& map = columnMap();
    constexpr std::size_t kDecileColumns = 10;
    constexpr std::array<bool, kDecileColumns> isPercent { false, false, false, false, false, false, true, true, false,
        true };
    const bool withIntervals = data.colHigh() == kWilsonHighColumn;
    for (int row = std::max(1, data.rowLow()); row <= data.rowHigh(); ++row) {
        // Every cell is read before the record is added: a text cell ends the refresh after whole rows only.
        std::array<double, kDecileColumns> values {};
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = data.at(row, map[k]).toDouble();
        records.addRecord();
        for (std::size_t k = 0; k < values.size(); ++k)
            records.addNumber(values[k], isPercent[k] ? CaptionFormat::PercentOfHundred : CaptionFormat::None);
        for (const int column : { kWilsonLowColumn, kWilsonHighColumn }) {
            const Variant end = withIntervals ? data.at(row, column) : Variant();
            if (end.isEmpty())
                records.addText(QString());
            else
                records.addNumber(end.toDouble(), CaptionFormat::Value8);
        }
    }
}

} // namespace lrv
