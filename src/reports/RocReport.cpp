#include "reports/RocReport.h"

#include "reports/ReportRecordsModel.h"

namespace lrv {

RocReport::RocReport()
    : TableReport(2, 0,
        { { QStringLiteral("Id"), 0 }, { QStringLiteral("Target"), 1 }, { QStringLiteral("Model Output"), 2 },
            { QStringLiteral("True Positives"), 3 }, { QStringLiteral("True Negatives"), 4 },
            { QStringLiteral("False Positives"), 5 }, { QStringLiteral("False Negatives"), 6 },
            { QStringLiteral("Sensitivity"), 8 }, { QStringLiteral("1-Specificity"), 9 },
            { QStringLiteral("SE + SP - 1"), 11 } })
{
}

void RocReport::prepareRefresh() { m_errorColor = calculationErrorColor(); }

void RocReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(0, 12);
    const int last = lastShownRow();
    for (int row = data.rowLow(); row <= last; ++row) {
        const int record = records.addRecord();
        addId(records, row);
        for (int col = 1; col <= 6; ++col)
            records.addNumber(data.at(row, col));
        records.addNumber(data.at(row, 8), CaptionFormat::Value15);
        records.addNumber(data.at(row, 9), CaptionFormat::Value15);
        records.addNumber(data.at(row, 11), CaptionFormat::Value15);
        if (data.at(row, 12) == 1)
            colourRow(records, record, m_errorColor);
    }
}

} // namespace lrv
