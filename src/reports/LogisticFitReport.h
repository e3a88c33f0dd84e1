#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 7, the Logistic Fit tab: per record the log odds, odds ratio, class probabilities, most likely
/// class and match; the last row before each change of the most likely class is highlighted.
class LogisticFitReport : public TableReport {
public:
    LogisticFitReport();

protected:
    void prepareRefresh() override;
    void fillRecords(ReportRecordsModel& records) override;
    ClipboardHelpers::CellTextOverride copiedCellTexts(const std::vector<int>& dataColumns) const override;

private:
    OleColor m_errorColor = 0;
    OleColor m_logisticColor = 0;
};

} // namespace lrv
