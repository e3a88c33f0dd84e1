#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 8, the Confusion Matrix tab: per record the class probabilities, most likely class, match and
/// outcome, with the optimal ROC threshold row and the logistic class changes highlighted.
class ConfMatrixReport : public TableReport {
public:
    ConfMatrixReport();

    /// The record id of the ROC threshold, highlighted at the next refresh.
    void SetOptimalModelThresholdId(std::int32_t id) { SetThresholdId(id); }

    /// The column map's marker of the computed outcome column.
    static constexpr int kOutcomeColumn = 999;

protected:
    void prepareRefresh() override;
    void fillRecords(ReportRecordsModel& records) override;
    QString tableText(const std::vector<int>& dataColumns, bool withHeaders, const QString& title) const override;
    /// The logistic class change's colour wins over the threshold's.
    bool keepsOwnColour(const ReportRecordsModel& records, int record) const override;

private:
    OleColor m_errorColor = 0;
    OleColor m_logisticColor = 0;
};

} // namespace lrv
