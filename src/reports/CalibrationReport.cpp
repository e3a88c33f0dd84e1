#include "reports/CalibrationReport.h"

#include "host/UncertaintyFigures.h"
#include "reports/ReportRecordsModel.h"

namespace lrv {

CalibrationReport::CalibrationReport()
    : TableReport(kIndex, 0,
        { { QStringLiteral("Quantile"), index(CalibrationColumn::Bucket) },
            { QStringLiteral("Total Cases"), index(CalibrationColumn::Records) },
            { QStringLiteral("Positive Cases"), index(CalibrationColumn::Positives) },
            { QStringLiteral("Observed Positive Rate"), index(CalibrationColumn::ObservedRate) },
            { QStringLiteral("Mean Predicted Probability"), index(CalibrationColumn::MeanProbability) },
            { QStringLiteral("Positive Rate 95 % Low"), index(CalibrationColumn::WilsonLow) },
            { QStringLiteral("Positive Rate 95 % High"), index(CalibrationColumn::WilsonHigh) } })
{
}

void CalibrationReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(0, index(CalibrationColumn::Last));
    const std::vector<int>& map = columnMap();
    for (int row = data.rowLow(); row <= data.rowHigh(); ++row) {
        records.addRecord();
        for (const int column : map) {
            const bool fraction = column >= index(CalibrationColumn::ObservedRate);
            records.addNumber(data.at(row, column), fraction ? CaptionFormat::Value8 : CaptionFormat::None);
        }
    }
}

} // namespace lrv
