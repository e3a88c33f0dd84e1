#pragma once

#include "engine/CellTable.h"
#include "engine/RankedRecords.h"
#include "host/ResultLayout.h"

#include <memory>

namespace wb::engine {

/// The ROC results, one row per record, computed on demand: the calculation-error rows first, then the valid
/// records in ranking order with the counts and rates at their cutoff and their outcome at the optimal cutoff.
/// `Ranking` is RankedRecords, or a RecordSample when only part of the ranking is at hand.
template <class Ranking> class RocTableOf : public CellTable {
public:
    /// `optimalEnd`: the records ranked before it are predicted class 1 at the optimal cutoff.
    RocTableOf(std::shared_ptr<const Ranking> ranked, std::int32_t optimalEnd);

    double cell(std::int64_t rowOffset, int colOffset) const override;

private:
    std::shared_ptr<const Ranking> m_ranked;
    std::int32_t m_optimalEnd;
};

using RocTable = RocTableOf<RankedRecords>;

} // namespace wb::engine
