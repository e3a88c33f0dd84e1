#include "engine/CutoffTable.h"

#include "engine/RecordSample.h"

#include <algorithm>

namespace wb::engine {

template <class Ranking>
CutoffTableOf<Ranking>::CutoffTableOf(std::shared_ptr<const Ranking> ranked)
    : CellTable(0, ranked->size(), 0, lrv::index(lrv::CutoffColumn::Last))
    , m_ranked(std::move(ranked))
{
}

template <class Ranking> double CutoffTableOf<Ranking>::cell(std::int64_t rowOffset, int column) const
{
    const Ranking& ranked = *m_ranked;
    const std::int64_t position = std::min<std::int64_t>(rowOffset, ranked.size() - 1);
    // Output and rates are the same for every record of a tie group, so any rank of the group will do.
    const std::int64_t rank = ranked.inverted() ? position : ranked.size() - 1 - position;
    const std::int32_t g = ranked.group(rank);
    const double positives = ranked.positives(), negatives = ranked.negatives();
    const double tp = ranked.groupPositives(g);
    const double fp = ranked.groupEnd(g) - tp;
    switch (lrv::CutoffColumn(column)) {
    case lrv::CutoffColumn::Output:
        return ranked.output(rank);
    case lrv::CutoffColumn::TruePositiveRate:
        return tp / positives;
    case lrv::CutoffColumn::TrueNegativeRate:
        return (negatives - fp) / negatives;
    case lrv::CutoffColumn::FalsePositiveRate:
        return fp / negatives;
    default:
        return (positives - tp) / positives;
    }
}

template class CutoffTableOf<RankedRecords>;
template class CutoffTableOf<RecordSample>;

} // namespace wb::engine
