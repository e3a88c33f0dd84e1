#include "engine/ZerosOnesTable.h"

namespace wb::engine {

ZerosOnesTable::ZerosOnesTable(std::shared_ptr<const RankedRecords> ranked)
    : CellTable(0, ranked->size() - 1, 0, 2)
    , m_ranked(std::move(ranked))
{
}

double ZerosOnesTable::cell(std::int64_t rowOffset, int column) const
{
    const std::int64_t rank = m_ranked->rankOfAscending(rowOffset);
    return column == 1 ? m_ranked->output(rank) : double(m_ranked->cls(rank));
}

} // namespace wb::engine
