#pragma once

#include "engine/CellTable.h"
#include "engine/RankedRecords.h"
#include "host/ResultLayout.h"

#include <memory>

namespace wb::engine {

/// The observations under the logistic curve: the valid records in ascending output order as
/// (target, output, class).
template <class Ranking> class ZerosOnesTableOf : public CellTable {
public:
    explicit ZerosOnesTableOf(std::shared_ptr<const Ranking> ranked);

    double cell(std::int64_t rowOffset, int colOffset) const override;

private:
    std::shared_ptr<const Ranking> m_ranked;
};

using ZerosOnesTable = ZerosOnesTableOf<RankedRecords>;

} // namespace wb::engine
