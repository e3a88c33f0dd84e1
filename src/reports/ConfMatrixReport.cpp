#include "reports/ConfMatrixReport.h"

#include "reports/ReportRecordsModel.h"
#include "reports/ReportTexts.h"
#include "support/ClipboardHelpers.h"

#include <cmath>

namespace lrv {

namespace {
    const int kTarget = 1;
    const int kMostLikelyClass = 7;
    const int kMatch = 8;
    const int kErrorFlag = 9;
}

ConfMatrixReport::ConfMatrixReport()
    : TableReport(8, 0,
        { { QStringLiteral("Id"), 0 }, { QStringLiteral("Target"), kTarget }, { QStringLiteral("Model Output"), 2 },
            { QStringLiteral("Probability[1]"), 5 }, { QStringLiteral("Probability[0]"), 6 },
            { QStringLiteral("Most Likely Class"), kMostLikelyClass }, { QStringLiteral("Match"), kMatch },
            { QStringLiteral("Type"), kOutcomeColumn } })
{
}

void ConfMatrixReport::prepareRefresh()
{
    m_errorColor = calculationErrorColor();
    m_thresholdColor = thresholdColor();
    m_logisticColor = logisticThresholdColor();
}

void ConfMatrixReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(0, kErrorFlag);
    const int last = lastShownRow();
    if (last < data.rowLow())
        return;
    const int ok = records.textId(ReportTexts::matchText(1));
    const int wrong = records.textId(ReportTexts::matchText(0));
    const int truePositive = records.textId(ReportTexts::outcomeText(1, 1));
    const int trueNegative = records.textId(ReportTexts::outcomeText(1, 0));
    const int falseNegative = records.textId(ReportTexts::outcomeText(0, 1));
    const int falsePositive = records.textId(ReportTexts::outcomeText(0, 0));
    const double thresholdId = m_optimalModelThresholdId;
    double currentClass = std::nearbyint(data.at(data.rowLow(), kMostLikelyClass));
    for (int row = data.rowLow(); row <= last; ++row) {
        const int record = records.addRecord();
        for (int col = 0; col <= 2; ++col)
            records.addNumber(data.at(row, col));
        records.addNumber(data.at(row, 5), CaptionFormat::Value15);
        records.addNumber(data.at(row, 6), CaptionFormat::Value15);
        records.addNumber(data.at(row, kMostLikelyClass));
        const bool match = data.at(row, kMatch) == 1;
        const bool positive = data.at(row, kTarget) != 0;
        records.addTextById(match ? ok : wrong);
        records.addTextById(
            match ? (positive ? truePositive : trueNegative) : (positive ? falseNegative : falsePositive));
        // Later colourings replace earlier ones: error, then threshold, then the logistic class change.
        if (data.at(row, kErrorFlag) == 1)
            colourRow(records, record, m_errorColor);
        if (data.at(row, 0) == thresholdId)
            colourRow(records, record, m_thresholdColor);
        if (row + 1 < last && data.at(row + 1, kMostLikelyClass) != currentClass) {
            colourRow(records, record, m_logisticColor);
            currentClass = std::nearbyint(data.at(row + 1, kMostLikelyClass));
        }
    }
}

QString ConfMatrixReport::tableText(const std::vector<int>& dataColumns, bool withHeaders, const QString& title) const
{
    requireColumns(0, kMatch);
    const Table<Variant> texts = withTextCells(
        doubleData(), kOutcomeColumn, [](const Table<double>& data, int row, int col) -> std::optional<QString> {
            if (col == kMatch)
                return ReportTexts::matchText(data.at(row, kMatch));
            if (col == kOutcomeColumn)
                return ReportTexts::outcomeText(data.at(row, kMatch), data.at(row, kTarget));
            return std::nullopt;
        });
    return ClipboardHelpers::VariantTableText(dataColumns, texts, -1, captions(), withHeaders, title);
}

} // namespace lrv
