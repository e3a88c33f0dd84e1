#pragma once

#include "reports/ProbabilityReport.h"

namespace lrv {

/// Report 8, the Confusion Matrix tab: per record the class probabilities, most likely class, match and
/// outcome, with the optimal ROC threshold row and the logistic class changes highlighted.
class ConfMatrixReport : public ProbabilityReport {
public:
    ConfMatrixReport();

    /// The record id of the ROC threshold, highlighted at the next refresh.
    void SetOptimalModelThresholdId(std::int32_t id) { SetThresholdId(id); }

    /// The column map's marker of the computed outcome column.
    static constexpr int kOutcomeColumn = 999;

protected:
    void prepareTexts(ReportRecordsModel& records) override;
    void addTexts(ReportRecordsModel& records, const Table<double>& data, int row, bool error) const override;
    ClipboardHelpers::CellTextOverride copiedCellTexts(const std::vector<int>& dataColumns) const override;
    /// The logistic class change's colour wins over the threshold's.
    bool keepsOwnColour(const ReportRecordsModel& records, int record) const override;

private:
    int m_truePositive = 0;
    int m_trueNegative = 0;
    int m_falseNegative = 0;
    int m_falsePositive = 0;
    int m_calculationError = 0;
};

} // namespace lrv
