#pragma once

#include "reports/ProbabilityReport.h"

namespace lrv {

/// Report 7, the Logistic Fit tab: per record the log odds, odds ratio, class probabilities, most likely
/// class and match; the last row before each change of the most likely class is highlighted.
class LogisticFitReport : public ProbabilityReport {
public:
    LogisticFitReport();

protected:
    ClipboardHelpers::CellTextOverride copiedCellTexts(const std::vector<int>& dataColumns) const override;
};

} // namespace lrv
