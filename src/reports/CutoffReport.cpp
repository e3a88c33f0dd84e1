#include "reports/CutoffReport.h"

#include "reports/ReportRecordsModel.h"
#include "reports/ReportTexts.h"
#include "support/ClipboardHelpers.h"

#include <cmath>

namespace lrv {

namespace {
    const int kPredictedClass = 13;
    const int kMatch = 14;
    const int kOutcome = 15;
    const int kErrorFlag = 12;
}

CutoffReport::CutoffReport()
    : TableReport(3, 0,
        { { QStringLiteral("Id"), 0 }, { QStringLiteral("Target"), 1 }, { QStringLiteral("Model Output"), 2 },
            { QStringLiteral("TPR (Sens)"), 8 }, { QStringLiteral("TNR (Spec)"), 7 },
            { QStringLiteral("FPR (1-Spec)"), 9 }, { QStringLiteral("FNR"), 10 }, { QStringLiteral("SE + SP - 1"), 11 },
            { QStringLiteral("Predicted Class"), kPredictedClass }, { QStringLiteral("Match"), kMatch },
            { QStringLiteral("Type"), kOutcome } })
{
}

void CutoffReport::prepareRefresh() { m_errorColor = calculationErrorColor(); }

void CutoffReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(0, kOutcome);
    const int last = lastShownRow();
    const int ok = records.textId(ReportTexts::matchText(1));
    const int wrong = records.textId(ReportTexts::matchText(0));
    const int noMatch = records.textId(ReportTexts::matchText(0, true));
    const int calculationError = records.textId(ReportTexts::calculationErrorText());
    int outcomes[5];
    for (int code = 0; code < 5; ++code)
        outcomes[code] = records.textId(ReportTexts::outcomeCodeText(code));
    for (int row = data.rowLow(); row <= last; ++row) {
        const int record = records.addRecord();
        addId(records, row);
        for (int col = 1; col <= 2; ++col)
            records.addNumber(data.at(row, col));
        for (const int col : { 8, 7, 9, 10, 11 })
            records.addNumber(data.at(row, col), CaptionFormat::Value15);
        // A whole number as the system's long conversion makes it: halves to even.
        records.addNumber(std::nearbyint(data.at(row, kPredictedClass)));
        const bool error = data.at(row, kErrorFlag) == 1;
        const double code = data.at(row, kOutcome);
        if (error) {
            records.addTextById(noMatch);
            records.addTextById(calculationError);
        } else {
            records.addTextById(data.at(row, kMatch) == 1 ? ok : wrong);
            records.addTextById(code >= 0 && code <= 3 && code == std::floor(code) ? outcomes[int(code)] : outcomes[4]);
        }
        if (error)
            colourRow(records, record, m_errorColor);
    }
}

QString CutoffReport::tableText(const std::vector<int>& dataColumns, bool withHeaders, const QString& title) const
{
    requireColumns(0, kOutcome);
    const Table<Variant> texts = withTextCells(
        doubleData(), kOutcome, [](const Table<double>& data, int row, int col) -> std::optional<QString> {
            if (col == kMatch)
                return ReportTexts::matchText(data.at(row, kMatch), data.at(row, kErrorFlag) == 1);
            if (col == kOutcome)
                return ReportTexts::outcomeCodeText(data.at(row, kOutcome), data.at(row, kErrorFlag) == 1);
            return std::nullopt;
        });
    return ClipboardHelpers::VariantTableText(dataColumns, texts, -1, headerCaptions(), withHeaders, title);
}

} // namespace lrv
