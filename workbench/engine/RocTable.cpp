#include "engine/RocTable.h"

#include "engine/RecordSample.h"

#include <limits>

namespace wb::engine {

namespace {
    double ratio(double numerator, double denominator)
    {
        return denominator != 0 ? numerator / denominator : std::numeric_limits<double>::quiet_NaN();
    }
} // namespace

template <class Ranking>
RocTableOf<Ranking>::RocTableOf(std::shared_ptr<const Ranking> ranked, std::int32_t optimalEnd)
    : CellTable(0, ranked->size() + ranked->errorCount() - 1, 0, lrv::index(lrv::RocColumn::Last))
    , m_ranked(std::move(ranked))
    , m_optimalEnd(optimalEnd)
{
}

template <class Ranking> double RocTableOf<Ranking>::cell(std::int64_t rowOffset, int column) const
{
    const Ranking& ranked = *m_ranked;
    const std::int64_t errors = ranked.errorCount();
    using enum lrv::RocColumn;
    const auto entry = lrv::RocColumn(column);
    if (rowOffset < errors) {
        switch (entry) {
        case Id:
            return ranked.errorId(rowOffset);
        case Target:
            return ranked.errorClass(rowOffset);
        case Output:
            return std::numeric_limits<double>::quiet_NaN();
        case ErrorFlag:
            return 1;
        case Match:
            return 0;
        default:
            return lrv::kNotApplicable;
        }
    }
    const std::int64_t rank = rowOffset - errors;
    const std::int32_t g = ranked.group(rank);
    const double tp = ranked.groupPositives(g);
    const double fp = ranked.groupEnd(g) - tp;
    const double positives = ranked.positives(), negatives = ranked.negatives();
    const double fn = positives - tp, tn = negatives - fp;
    const int cls = ranked.cls(rank);
    const int predicted = ranked.rank(rank) < m_optimalEnd ? 1 : 0;
    switch (entry) {
    case Id:
        return ranked.id(rank);
    case Target:
        return cls;
    case Output:
        return ranked.output(rank);
    case TruePositives:
        return tp;
    case TrueNegatives:
        return tn;
    case FalsePositives:
        return fp;
    case FalseNegatives:
        return fn;
    case Specificity:
        return ratio(tn, negatives);
    case Sensitivity:
        return ratio(tp, positives);
    case FalsePositiveRate:
        return ratio(fp, negatives);
    case FalseNegativeRate:
        return ratio(fn, positives);
    case Youden:
        return ratio(tp, positives) + ratio(tn, negatives) - 1;
    case ErrorFlag:
        return 0;
    case PredictedClass:
        return predicted;
    case Match:
        return predicted == cls ? 1 : 0;
    case Outcome:
        return lrv::index(predicted ? (cls ? lrv::Outcome::TruePositive : lrv::Outcome::FalsePositive)
                                    : (cls ? lrv::Outcome::FalseNegative : lrv::Outcome::TrueNegative));
    default:
        return std::numeric_limits<double>::quiet_NaN();
    }
}

template class RocTableOf<RankedRecords>;
template class RocTableOf<RecordSample>;

} // namespace wb::engine
