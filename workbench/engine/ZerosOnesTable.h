#pragma once

#include "engine/CellTable.h"
#include "engine/RankedRecords.h"

#include <memory>

namespace wb::engine {

/// The observations under the logistic curve: the valid records in ascending output order as
/// (target, output, class).
class ZerosOnesTable : public CellTable {
public:
    explicit ZerosOnesTable(std::shared_ptr<const RankedRecords> ranked);

    double cell(std::int64_t rowOffset, int colOffset) const override;

private:
    std::shared_ptr<const RankedRecords> m_ranked;
};

} // namespace wb::engine
