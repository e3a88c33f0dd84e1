#include "reports/CutoffReport.h"

#include "reports/ReportRecordsModel.h"
#include "reports/ReportTexts.h"

#include <array>
#include <cmath>

namespace lrv {

namespace {
    constexpr int kMatch = index(RocColumn::Match);
    constexpr int kOutcome = index(RocColumn::Outcome);

    bool isError(const Table<double>& data, int row) { return at(data, row, RocColumn::ErrorFlag) == 1; }
}

CutoffReport::CutoffReport()
    : TableReport(3, 0,
        { { QStringLiteral("Id"), RocColumn::Id }, { QStringLiteral("Target"), RocColumn::Target },
            { QStringLiteral("Model Output"), RocColumn::Output },
            { QStringLiteral("TPR (Sens)"), RocColumn::Sensitivity },
            { QStringLiteral("TNR (Spec)"), RocColumn::Specificity },
            { QStringLiteral("FPR (1-Spec)"), RocColumn::FalsePositiveRate },
            { QStringLiteral("FNR"), RocColumn::FalseNegativeRate },
            { QStringLiteral("SE + SP - 1"), RocColumn::Youden },
            { QStringLiteral("Predicted Class"), RocColumn::PredictedClass }, { QStringLiteral("Match"), kMatch },
            { QStringLiteral("Type"), kOutcome } })
{
}

void CutoffReport::prepareRefresh() { m_errorColor = calculationErrorColor(); }

void CutoffReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(index(RocColumn::Id), kOutcome);
    const int last = lastShownRow();
    const int ok = records.textId(ReportTexts::matchText(1));
    const int wrong = records.textId(ReportTexts::matchText(0));
    const int noMatch = records.textId(ReportTexts::matchText(0, true));
    const int calculationError = records.textId(ReportTexts::calculationErrorText());
    // The texts of the outcome codes, then the empty text of a code that is none.
    std::array<int, kCountOf<Outcome> + 1> outcomes {};
    for (int code = 0; code < int(outcomes.size()); ++code)
        outcomes[std::size_t(code)] = records.textId(ReportTexts::outcomeCodeText(code));
    for (int row = data.rowLow(); row <= last; ++row) {
        const int record = records.addRecord();
        addId(records, row);
        records.addNumber(at(data, row, RocColumn::Target));
        records.addNumber(at(data, row, RocColumn::Output));
        for (const RocColumn column : { RocColumn::Sensitivity, RocColumn::Specificity, RocColumn::FalsePositiveRate,
                 RocColumn::FalseNegativeRate, RocColumn::Youden })
            records.addNumber(at(data, row, column), CaptionFormat::Value15);
        // A whole number as the system's long conversion makes it: halves to even.
        records.addNumber(std::nearbyint(at(data, row, RocColumn::PredictedClass)));
        const bool error = isError(data, row);
        const double code = data.at(row, kOutcome);
        if (error) {
            records.addTextById(noMatch);
            records.addTextById(calculationError);
        } else {
            records.addTextById(data.at(row, kMatch) == 1 ? ok : wrong);
            const bool known = code >= 0 && code <= index(Outcome::Last) && code == std::floor(code);
            records.addTextById(outcomes[known ? std::size_t(code) : outcomes.size() - 1]);
        }
        if (error)
            colourRow(records, record, m_errorColor);
    }
}

ClipboardHelpers::CellTextOverride CutoffReport::copiedCellTexts(const std::vector<int>&) const
{
    requireColumns(index(RocColumn::Id), kOutcome);
    return [data = doubleData()](int row, int col) -> std::optional<QString> {
        if (col == kMatch)
            return ReportTexts::matchText(data.at(row, kMatch), isError(data, row));
        if (col == kOutcome)
            return ReportTexts::outcomeCodeText(data.at(row, kOutcome), isError(data, row));
        return std::nullopt;
    };
}

} // namespace lrv
