#include "engine/ProbabilityTable.h"

#include "engine/RecordSample.h"

#include <cmath>
#include <limits>

namespace wb::engine {

template <class Ranking>
ProbabilityTableOf<Ranking>::ProbabilityTableOf(std::shared_ptr<const Ranking> ranked, LogisticModel model)
    : CellTable(0, ranked->size() + ranked->errorCount() - 1, 0, lrv::index(lrv::ProbabilityColumn::Last))
    , m_ranked(std::move(ranked))
    , m_model(model)
    , m_errorRowClass(m_model.mostLikelyClass(m_ranked->output(m_ranked->rankOfAscending(0))))
{
}

template <class Ranking> double ProbabilityTableOf<Ranking>::cell(std::int64_t rowOffset, int column) const
{
    const Ranking& ranked = *m_ranked;
    const std::int64_t errors = ranked.errorCount();
    using enum lrv::ProbabilityColumn;
    const auto entry = lrv::ProbabilityColumn(column);
    if (rowOffset < errors) {
        switch (entry) {
        case Id:
            return ranked.errorId(rowOffset);
        case Target:
            return ranked.errorClass(rowOffset);
        case MostLikelyClass:
            return m_errorRowClass;
        case Match:
            return 0;
        case ErrorFlag:
            return 1;
        default:
            return std::numeric_limits<double>::quiet_NaN();
        }
    }
    const std::int64_t rank = ranked.rankOfAscending(rowOffset - errors);
    const double output = ranked.output(rank);
    const double logOdds = m_model.logOdds(output);
    switch (entry) {
    case Id:
        return ranked.id(rank);
    case Target:
        return ranked.cls(rank);
    case Output:
        return output;
    case LogOdds:
        return logOdds;
    case OddsRatio:
        return std::exp(logOdds);
    case ProbabilityOne:
        return LogisticModel::probabilityOne(logOdds);
    case ProbabilityZero:
        return LogisticModel::probabilityZero(logOdds);
    case MostLikelyClass:
        return m_model.mostLikelyClass(output);
    case Match:
        return m_model.mostLikelyClass(output) == ranked.cls(rank) ? 1 : 0;
    default:
        return 0;
    }
}

template class ProbabilityTableOf<RankedRecords>;
template class ProbabilityTableOf<RecordSample>;

} // namespace wb::engine
