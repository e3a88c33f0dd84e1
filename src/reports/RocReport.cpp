#include "reports/RocReport.h"

#include "reports/ReportRecordsModel.h"

namespace lrv {

RocReport::RocReport()
    : TableReport(2, 0,
        { { QStringLiteral("Id"), RocColumn::Id }, { QStringLiteral("Target"), RocColumn::Target },
            { QStringLiteral("Model Output"), RocColumn::Output },
            { QStringLiteral("True Positives"), RocColumn::TruePositives },
            { QStringLiteral("True Negatives"), RocColumn::TrueNegatives },
            { QStringLiteral("False Positives"), RocColumn::FalsePositives },
            { QStringLiteral("False Negatives"), RocColumn::FalseNegatives },
            { QStringLiteral("Sensitivity"), RocColumn::Sensitivity },
            { QStringLiteral("1-Specificity"), RocColumn::FalsePositiveRate },
            { QStringLiteral("SE + SP - 1"), RocColumn::Youden } })
{
}

void RocReport::prepareRefresh() { m_errorColor = calculationErrorColor(); }

void RocReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(index(RocColumn::Id), index(RocColumn::ErrorFlag));
    const int last = lastShownRow();
    for (int row = data.rowLow(); row <= last; ++row) {
        const int record = records.addRecord();
        addId(records, row);
        for (const RocColumn column : { RocColumn::Target, RocColumn::Output, RocColumn::TruePositives,
                 RocColumn::TrueNegatives, RocColumn::FalsePositives, RocColumn::FalseNegatives })
            records.addNumber(at(data, row, column));
        for (const RocColumn column : { RocColumn::Sensitivity, RocColumn::FalsePositiveRate, RocColumn::Youden })
            records.addNumber(at(data, row, column), CaptionFormat::Value15);
        if (at(data, row, RocColumn::ErrorFlag) == 1)
            colourRow(records, record, m_errorColor);
    }
}

} // namespace lrv
