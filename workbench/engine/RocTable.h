#pragma once

#include "engine/CellTable.h"
#include "engine/RankedRecords.h"

#include <memory>

namespace wb::engine {

/// The ROC results, one row per record, computed on demand: the calculation-error rows first, then the valid
/// records in ranking order with the counts and rates at their cutoff and their outcome at the optimal cutoff.
class RocTable : public CellTable {
public:
    enum Column {
        Id,
        Target,
        Output,
        TruePositives,
        TrueNegatives,
        FalsePositives,
        FalseNegatives,
        Specificity,
        Sensitivity,
        FalsePositiveRate,
        FalseNegativeRate,
        Youden,
        ErrorFlag,
        PredictedClass,
        Match,
        Outcome
    };

    /// `optimalEnd`: the records ranked before it are predicted class 1 at the optimal cutoff.
    RocTable(std::shared_ptr<const RankedRecords> ranked, std::int32_t optimalEnd);

    double cell(std::int64_t rowOffset, int colOffset) const override;

private:
    std::shared_ptr<const RankedRecords> m_ranked;
    std::int32_t m_optimalEnd;
};

} // namespace wb::engine
