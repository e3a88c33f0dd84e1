#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 3, the Cutoff Points tab: one row per record with the rates at its cutoff, the predicted
/// class, the match and the outcome.
class CutoffReport : public TableReport {
public:
    CutoffReport();

protected:
    void prepareRefresh() override;
    void fillRecords(ReportRecordsModel& records) override;
    ClipboardHelpers::CellTextOverride copiedCellTexts(const std::vector<int>& dataColumns) const override;

private:
    OleColor m_errorColor = 0;
};

} // namespace lrv
