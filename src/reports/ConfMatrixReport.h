#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 8, the Confusion Matrix tab: per record the class probabilities, most likely class, match and
/// outcome, with the optimal ROC threshold row and the logistic class changes highlighted.
class ConfMatrixReport : public TableReport {
public:
    ConfMatrixReport();

    /// The record id of the ROC threshold, highlighted at the next refresh.
    void SetOptimalModelThresholdId(std::int32_t id) { m_optimalModelThresholdId = id; }

    /// The column map's marker of the computed outcome column.
    static constexpr int kOutcomeColumn = 999;

protected:
    void prepareRefresh() override;
    void fillRecords(ReportRecordsModel& records) override;
    ClipboardHelpers::CellTextOverride copiedCellTexts(const std::vector<int>& dataColumns) const override;

private:
    std::int32_t m_optimalModelThresholdId = 0;
    OleColor m_errorColor = 0;
    OleColor m_thresholdColor = 0;
    OleColor m_logisticColor = 0;
};

} // namespace lrv
