#include "reports/ProbabilityReport.h"

#include "reports/ReportRecordsModel.h"
#include "reports/ReportTexts.h"

#include <cmath>

namespace lrv {

ProbabilityReport::ProbabilityReport(int index, std::vector<ColumnSpec> columns, std::vector<ProbabilityColumn> numbers)
    : TableReport(index, 0, std::move(columns))
    , m_numbers(std::move(numbers))
{
}

void ProbabilityReport::prepareRefresh()
{
    m_errorColor = calculationErrorColor();
    m_logisticColor = logisticThresholdColor();
}

void ProbabilityReport::fillRecords(ReportRecordsModel& records)
{
    const Table<double>& data = doubleData();
    requireColumns(index(ProbabilityColumn::Id), index(ProbabilityColumn::ErrorFlag));
    const int last = lastShownRow();
    if (last < data.rowLow())
        return;
    const int ok = records.textId(ReportTexts::matchText(1));
    const int wrong = records.textId(ReportTexts::matchText(0));
    const int noMatch = records.textId(ReportTexts::matchText(0, true));
    prepareTexts(records);
    double currentClass = std::nearbyint(at(data, data.rowLow(), ProbabilityColumn::MostLikelyClass));
    for (int row = data.rowLow(); row <= last; ++row) {
        const int record = records.addRecord();
        addId(records, row);
        for (const ProbabilityColumn column : m_numbers)
            records.addNumber(at(data, row, column));
        records.addNumber(at(data, row, ProbabilityColumn::ProbabilityOne), CaptionFormat::Value15);
        records.addNumber(at(data, row, ProbabilityColumn::ProbabilityZero), CaptionFormat::Value15);
        records.addNumber(at(data, row, ProbabilityColumn::MostLikelyClass));
        const bool error = at(data, row, ProbabilityColumn::ErrorFlag) == 1;
        records.addTextById(error ? noMatch : at(data, row, ProbabilityColumn::Match) == 1 ? ok : wrong);
        addTexts(records, data, row, error);
        // The logistic class change's colour replaces the error colour.
        if (error)
            colourRow(records, record, m_errorColor);
        // The last row before a change of the most likely class; the last pair of rows is not examined.
        if (row + 1 < last && at(data, row + 1, ProbabilityColumn::MostLikelyClass) != currentClass) {
            colourRow(records, record, m_logisticColor);
            currentClass = std::nearbyint(at(data, row + 1, ProbabilityColumn::MostLikelyClass));
        }
    }
}

} // namespace lrv
