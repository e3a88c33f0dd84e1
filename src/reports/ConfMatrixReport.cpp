#include "reports/ConfMatrixReport.h"

#include "reports/ReportRecordsModel.h"
#include "reports/ReportTexts.h"

namespace lrv {

namespace {
    constexpr int kTarget = index(ProbabilityColumn::Target);
    constexpr int kMatch = index(ProbabilityColumn::Match);
    constexpr int kErrorFlag = index(ProbabilityColumn::ErrorFlag);
}

ConfMatrixReport::ConfMatrixReport()
    : ProbabilityReport(8,
        { { QStringLiteral("Id"), ProbabilityColumn::Id }, { QStringLiteral("Target"), kTarget },
            { QStringLiteral("Model Output"), ProbabilityColumn::Output },
            { QStringLiteral("Probability[1]"), ProbabilityColumn::ProbabilityOne },
            { QStringLiteral("Probability[0]"), ProbabilityColumn::ProbabilityZero },
            { QStringLiteral("Most Likely Class"), ProbabilityColumn::MostLikelyClass },
            { QStringLiteral("Match"), kMatch }, { QStringLiteral("Type"), kOutcomeColumn } },
        { ProbabilityColumn::Target, ProbabilityColumn::Output })
{
}

void ConfMatrixReport::prepareTexts(ReportRecordsModel& records)
{
    m_truePositive = records.textId(ReportTexts::outcomeText(1, 1));
    m_trueNegative = records.textId(ReportTexts::outcomeText(1, 0));
    m_falseNegative = records.textId(ReportTexts::outcomeText(0, 1));
    m_falsePositive = records.textId(ReportTexts::outcomeText(0, 0));
    m_calculationError = records.textId(ReportTexts::calculationErrorText());
}

void ConfMatrixReport::addTexts(ReportRecordsModel& records, const Table<double>& data, int row, bool error) const
{
    // A calculation error is no outcome: its type says what it is.
    if (error) {
        records.addTextById(m_calculationError);
        return;
    }
    const bool match = data.at(row, kMatch) == 1;
    const bool positive = data.at(row, kTarget) != 0;
    records.addTextById(
        match ? (positive ? m_truePositive : m_trueNegative) : (positive ? m_falseNegative : m_falsePositive));
}

ClipboardHelpers::CellTextOverride ConfMatrixReport::copiedCellTexts(const std::vector<int>&) const
{
    requireColumns(index(ProbabilityColumn::Id), kErrorFlag);
    return [data = doubleData()](int row, int col) -> std::optional<QString> {
        if (col == kMatch)
            return ReportTexts::matchText(data.at(row, kMatch), data.at(row, kErrorFlag) == 1);
        if (col == kOutcomeColumn)
            return ReportTexts::outcomeText(data.at(row, kMatch), data.at(row, kTarget), data.at(row, kErrorFlag) == 1);
        return std::nullopt;
    };
}

bool ConfMatrixReport::keepsOwnColour(const ReportRecordsModel& records, int record) const
{
    return records.ownBackground(record, 0) == std::optional<OleColor>(logisticColour());
}

} // namespace lrv
