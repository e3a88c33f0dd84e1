#include "reports/LogisticFitReport.h"

#include "reports/ReportRecordsModel.h"
#include "reports/ReportTexts.h"
#include "support/ClipboardHelpers.h"

#include <cmath>

namespace lrv {

namespace {
    constexpr int kMostLikelyClass = index(ProbabilityColumn::MostLikelyClass);
    constexpr int kMatch = index(ProbabilityColumn::Match);
    constexpr int kErrorFlag = index(ProbabilityColumn::ErrorFlag);
}

LogisticFitReport::LogisticFitReport()
    : TableReport(7, 0,
        { { QStringLiteral("Id"), ProbabilityColumn::Id }, { QStringLiteral("Target"), ProbabilityColumn::Target },
            { QStringLiteral("Model Output"), ProbabilityColumn::Output },
            { QStringLiteral("Log Odds"), ProbabilityColumn::LogOdds },
            { QStringLiteral("Odds Ratio"), ProbabilityColumn::OddsRatio },
            { QStringLiteral("Probability[1]"), ProbabilityColumn::ProbabilityOne },
            { QStringLiteral("Probability[0]"), ProbabilityColumn::ProbabilityZero },
            { QStringLiteral("Most Likely Class"), kMostLikelyClass }, { QStringLiteral("Match"), kMatch } })
{
}

void LogisticFitReport::prepareRefresh()
{
    m_errorColor = calculationErrorColor();
    m_logisticColor = logisticThresholdColor();
}

void LogisticFitReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(index(ProbabilityColumn::Id), kErrorFlag);
    const int last = lastShownRow();
    if (last < data.rowLow())
        return;
    const int ok = records.textId(ReportTexts::matchText(1));
    const int wrong = records.textId(ReportTexts::matchText(0));
    const int noMatch = records.textId(ReportTexts::matchText(0, true));
    double currentClass = std::nearbyint(data.at(data.rowLow(), kMostLikelyClass));
    for (int row = data.rowLow(); row <= last; ++row) {
        const int record = records.addRecord();
        addId(records, row);
        for (const ProbabilityColumn column : { ProbabilityColumn::Target, ProbabilityColumn::Output,
                 ProbabilityColumn::LogOdds, ProbabilityColumn::OddsRatio })
            records.addNumber(at(data, row, column));
        records.addNumber(at(data, row, ProbabilityColumn::ProbabilityOne), CaptionFormat::Value15);
        records.addNumber(at(data, row, ProbabilityColumn::ProbabilityZero), CaptionFormat::Value15);
        records.addNumber(data.at(row, kMostLikelyClass));
        const bool error = data.at(row, kErrorFlag) == 1;
        records.addTextById(error ? noMatch : data.at(row, kMatch) == 1 ? ok : wrong);
        if (error)
            colourRow(records, record, m_errorColor);
        // The last row before a change of the most likely class; the last pair of rows is not examined.
        if (row + 1 < last && data.at(row + 1, kMostLikelyClass) != currentClass) {
            colourRow(records, record, m_logisticColor);
            currentClass = std::nearbyint(data.at(row + 1, kMostLikelyClass));
        }
    }
}

QString LogisticFitReport::tableText(const std::vector<int>& dataColumns, bool withHeaders, const QString& title) const
{
    requireColumns(index(ProbabilityColumn::Id), kErrorFlag);
    const Table<Variant> texts = withTextCells(
        doubleData(), kMatch, [](const Table<double>& data, int row, int col) -> std::optional<QString> {
            if (col == kMatch)
                return ReportTexts::matchText(data.at(row, kMatch), data.at(row, kErrorFlag) == 1);
            return std::nullopt;
        });
    return ClipboardHelpers::VariantTableText(dataColumns, texts, -1, headerCaptions(), withHeaders, title);
}

} // namespace lrv
