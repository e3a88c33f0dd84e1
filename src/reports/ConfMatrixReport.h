#pragma once

#include "reports/ProbabilityReport.h"

namespace lrv {

/// Report 8, the Confusion Matrix tab: per record the class probabilities, most likely class, match and
/// outcome, with the optimal ROC threshold row and the logistic class changes highlighted.
class ConfMatrixReport : public ProbabilityReport {
public:
    ConfMatrixReport();

    /// The record id of the ROC threshold, highlighted at the next refresh.
    void SetOptimalModelThresholdId(std::int32_t id) { m_optimalModelThresholdId = id; }

    /// The column map's marker of the computed outcome column.
    static constexpr int kOutcomeColumn = 999;

protected:
    void prepareTexts(ReportRecordsModel& records) override;
    void addTexts(ReportRecordsModel& records, const Table<double>& data, int row, bool error) const override;
    std::optional<double> thresholdId() const override { return m_optimalModelThresholdId; }
    ClipboardHelpers::CellTextOverride copiedCellTexts(const std::vector<int>& dataColumns) const override;

private:
    std::int32_t m_optimalModelThresholdId = 0;
    int m_truePositive = 0;
    int m_trueNegative = 0;
    int m_falseNegative = 0;
    int m_falsePositive = 0;
    int m_calculationError = 0;
};

} // namespace lrv
