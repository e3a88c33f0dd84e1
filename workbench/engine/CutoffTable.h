#pragma once

#include "engine/CellTable.h"
#include "engine/RankedRecords.h"
#include "host/ResultLayout.h"

#include <memory>

namespace wb::engine {

/// The cutoff points: the valid records in ascending output order with the rates at their cutoff (output,
/// TPR, TNR, FPR, FNR), then a closing row that repeats the last one.
template <class Ranking> class CutoffTableOf : public CellTable {
public:
    explicit CutoffTableOf(std::shared_ptr<const Ranking> ranked);

    double cell(std::int64_t rowOffset, int colOffset) const override;

private:
    std::shared_ptr<const Ranking> m_ranked;
};

using CutoffTable = CutoffTableOf<RankedRecords>;

} // namespace wb::engine
