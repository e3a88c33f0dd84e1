#include "reports/CalibrationReport.h"

#include "host/UncertaintyFigures.h"
#include "reports/ReportRecordsModel.h"

namespace lrv {

CalibrationReport::CalibrationReport()
    : TableReport(kIndex, 0,
        { { QStringLiteral("Quantile"), col(CalibrationColumn::Bucket) },
            { QStringLiteral("Total Cases"), col(CalibrationColumn::Records) },
            { QStringLiteral("Positive Cases"), col(CalibrationColumn::Positives) },
            { QStringLiteral("Observed Positive Rate"), col(CalibrationColumn::ObservedRate) },
            { QStringLiteral("Mean Predicted Probability"), col(CalibrationColumn::MeanProbability) },
            { QStringLiteral("Positive Rate 95 % Low"), col(CalibrationColumn::WilsonLow) },
            { QStringLiteral("Positive Rate 95 % High"), col(CalibrationColumn::WilsonHigh) } })
{
}

void CalibrationReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(0, col(CalibrationColumn::Last));
    const std::vector<int>& map = columnMap();
    for (int row = data.rowLow(); row <= data.rowHigh(); ++row) {
        records.addRecord();
        for (const int column : map) {
            const bool fraction = column >= col(CalibrationColumn::ObservedRate);
            records.addNumber(data.at(row, column), fraction ? CaptionFormat::Value8 : CaptionFormat::None);
        }
    }
}

} // namespace lrv
