#include "reports/ConfMatrixReport.h"

#include "reports/ReportRecordsModel.h"
#include "reports/ReportTexts.h"
#include "support/ClipboardHelpers.h"

#include <cmath>

namespace lrv {

namespace {
    constexpr int kTarget = index(ProbabilityColumn::Target);
    constexpr int kMostLikelyClass = index(ProbabilityColumn::MostLikelyClass);
    constexpr int kMatch = index(ProbabilityColumn::Match);
    constexpr int kErrorFlag = index(ProbabilityColumn::ErrorFlag);
}

ConfMatrixReport::ConfMatrixReport()
    : TableReport(8, 0,
        { { QStringLiteral("Id"), ProbabilityColumn::Id }, { QStringLiteral("Target"), kTarget },
            { QStringLiteral("Model Output"), ProbabilityColumn::Output },
            { QStringLiteral("Probability[1]"), ProbabilityColumn::ProbabilityOne },
            { QStringLiteral("Probability[0]"), ProbabilityColumn::ProbabilityZero },
            { QStringLiteral("Most Likely Class"), kMostLikelyClass }, { QStringLiteral("Match"), kMatch },
            { QStringLiteral("Type"), kOutcomeColumn } })
{
}

void ConfMatrixReport::prepareRefresh()
{
    m_errorColor = calculationErrorColor();
    m_logisticColor = logisticThresholdColor();
}

void ConfMatrixReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(index(ProbabilityColumn::Id), kErrorFlag);
    const int last = lastShownRow();
    if (last < data.rowLow())
        return;
    const int ok = records.textId(ReportTexts::matchText(1));
    const int wrong = records.textId(ReportTexts::matchText(0));
    const int truePositive = records.textId(ReportTexts::outcomeText(1, 1));
    const int trueNegative = records.textId(ReportTexts::outcomeText(1, 0));
    const int falseNegative = records.textId(ReportTexts::outcomeText(0, 1));
    const int falsePositive = records.textId(ReportTexts::outcomeText(0, 0));
    const int noMatch = records.textId(ReportTexts::matchText(0, true));
    const int calculationError = records.textId(ReportTexts::calculationErrorText());
    double currentClass = std::nearbyint(data.at(data.rowLow(), kMostLikelyClass));
    for (int row = data.rowLow(); row <= last; ++row) {
        const int record = records.addRecord();
        addId(records, row);
        records.addNumber(data.at(row, kTarget));
        records.addNumber(at(data, row, ProbabilityColumn::Output));
        records.addNumber(at(data, row, ProbabilityColumn::ProbabilityOne), CaptionFormat::Value15);
        records.addNumber(at(data, row, ProbabilityColumn::ProbabilityZero), CaptionFormat::Value15);
        records.addNumber(data.at(row, kMostLikelyClass));
        const bool error = data.at(row, kErrorFlag) == 1;
        const bool match = data.at(row, kMatch) == 1;
        const bool positive = data.at(row, kTarget) != 0;
        if (error) {
            // A calculation error is no outcome: no match, and its type says what it is.
            records.addTextById(noMatch);
            records.addTextById(calculationError);
        } else {
            records.addTextById(match ? ok : wrong);
            records.addTextById(
                match ? (positive ? truePositive : trueNegative) : (positive ? falseNegative : falsePositive));
        }
        // The threshold highlight covers the error colour; the logistic class change keeps its own.
        if (error)
            colourRow(records, record, m_errorColor);
        if (row + 1 < last && data.at(row + 1, kMostLikelyClass) != currentClass) {
            colourRow(records, record, m_logisticColor);
            currentClass = std::nearbyint(data.at(row + 1, kMostLikelyClass));
        }
    }
}

QString ConfMatrixReport::tableText(const std::vector<int>& dataColumns, bool withHeaders, const QString& title) const
{
    requireColumns(index(ProbabilityColumn::Id), kErrorFlag);
    const Table<Variant> texts = withTextCells(
        doubleData(), kOutcomeColumn, [](const Table<double>& data, int row, int col) -> std::optional<QString> {
            if (col == kMatch)
                return ReportTexts::matchText(data.at(row, kMatch), data.at(row, kErrorFlag) == 1);
            if (col == kOutcomeColumn)
                return ReportTexts::outcomeText(
                    data.at(row, kMatch), data.at(row, kTarget), data.at(row, kErrorFlag) == 1);
            return std::nullopt;
        });
    return ClipboardHelpers::VariantTableText(dataColumns, texts, -1, headerCaptions(), withHeaders, title);
}

bool ConfMatrixReport::keepsOwnColour(const ReportRecordsModel& records, int record) const
{
    return records.ownBackground(record, 0) == std::optional<OleColor>(m_logisticColor);
}

} // namespace lrv
