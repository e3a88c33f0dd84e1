#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 3, the Cutoff Points tab: one row per record with the rates at its cutoff, the predicted
/// class, the match and the outcome.
class CutoffReport : public TableReport {
public:
    CutoffReport();

    /// The record id of the chosen threshold, highlighted at the next refresh.
    void SetThresholdId(std::int32_t id) { m_thresholdId = id; }

protected:
    void prepareRefresh() override;
    void fillRecords(ReportRecordsModel& records) override;
    ClipboardHelpers::CellTextOverride copiedCellTexts(const std::vector<int>& dataColumns) const override;

private:
    std::int32_t m_thresholdId = 0;
    OleColor m_errorColor = 0;
    OleColor m_thresholdColor = 0;
};

} // namespace lrv
