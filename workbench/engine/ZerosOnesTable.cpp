#include "engine/ZerosOnesTable.h"

#include "engine/RecordSample.h"

namespace wb::engine {

template <class Ranking>
ZerosOnesTableOf<Ranking>::ZerosOnesTableOf(std::shared_ptr<const Ranking> ranked)
    : CellTable(0, ranked->size() - 1, 0, lrv::index(lrv::ZerosOnesColumn::Last))
    , m_ranked(std::move(ranked))
{
}

template <class Ranking> double ZerosOnesTableOf<Ranking>::cell(std::int64_t rowOffset, int column) const
{
    const std::int64_t rank = m_ranked->rankOfAscending(rowOffset);
    return lrv::ZerosOnesColumn(column) == lrv::ZerosOnesColumn::Output ? m_ranked->output(rank)
                                                                        : double(m_ranked->cls(rank));
}

template class ZerosOnesTableOf<RankedRecords>;
template class ZerosOnesTableOf<RecordSample>;

} // namespace wb::engine
