#include "reports/LogisticFitReport.h"

#include "reports/ReportTexts.h"

namespace lrv {

namespace {
    constexpr int kMatch = index(ProbabilityColumn::Match);
    constexpr int kErrorFlag = index(ProbabilityColumn::ErrorFlag);
}

LogisticFitReport::LogisticFitReport()
    : ProbabilityReport(7,
        { { QStringLiteral("Id"), ProbabilityColumn::Id }, { QStringLiteral("Target"), ProbabilityColumn::Target },
            { QStringLiteral("Model Output"), ProbabilityColumn::Output },
            { QStringLiteral("Log Odds"), ProbabilityColumn::LogOdds },
            { QStringLiteral("Odds Ratio"), ProbabilityColumn::OddsRatio },
            { QStringLiteral("Probability[1]"), ProbabilityColumn::ProbabilityOne },
            { QStringLiteral("Probability[0]"), ProbabilityColumn::ProbabilityZero },
            { QStringLiteral("Most Likely Class"), ProbabilityColumn::MostLikelyClass },
            { QStringLiteral("Match"), kMatch } },
        { ProbabilityColumn::Target, ProbabilityColumn::Output, ProbabilityColumn::LogOdds,
            ProbabilityColumn::OddsRatio })
{
}

ClipboardHelpers::CellTextOverride LogisticFitReport::copiedCellTexts(const std::vector<int>&) const
{
    requireColumns(index(ProbabilityColumn::Id), kErrorFlag);
    return [data = doubleData()](int row, int col) -> std::optional<QString> {
        if (col == kMatch)
            return ReportTexts::matchText(data.at(row, kMatch), data.at(row, kErrorFlag) == 1);
        return std::nullopt;
    };
}

} // namespace lrv
