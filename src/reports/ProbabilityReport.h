#pragma once

#include "reports/TableReport.h"

#include <optional>

namespace lrv {

/// What the logistic-fit and confusion-matrix reports share: one row per record of the probability table
/// with the id, its numbers, the class probabilities, the most likely class and the match; calculation
/// errors are coloured, and so is the last row before each change of the most likely class.
class ProbabilityReport : public TableReport {
protected:
    /// `numbers`: the columns shown between the id and the probabilities.
    ProbabilityReport(int index, std::vector<ColumnSpec> columns, std::vector<ProbabilityColumn> numbers);

    void prepareRefresh() override;
    void fillRecords(ReportRecordsModel& records) override;

    /// Takes the ids of the texts addTexts adds, before the first row.
    virtual void prepareTexts(ReportRecordsModel&) { }
    /// Adds the items after the match.
    virtual void addTexts(ReportRecordsModel&, const Table<double>&, int, bool) const { }
    /// The colour of the last row before a change of the most likely class.
    OleColor logisticColour() const { return m_logisticColor; }

private:
    std::vector<ProbabilityColumn> m_numbers;
    OleColor m_errorColor = 0;
    OleColor m_logisticColor = 0;
};

} // namespace lrv
