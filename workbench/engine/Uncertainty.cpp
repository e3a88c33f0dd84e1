#include "engine/Uncertainty.h"

#include "engine/BucketSummary.h"
#include "engine/Distributions.h"
#include "engine/LogisticModel.h"
#include "engine/ProgressMeter.h"
#include "engine/RankedRecords.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wb::engine {

namespace {

    constexpr double probabilityFloor = 1e-15;

    // (O − E)² / (E (1 − E/n)): the bucket's positives and negatives together against their expectations.
    double hosmerLemeshowTerm(double observed, double expected, double total)
    {
        const double denominator = expected * (1 - expected / total);
        const double difference = observed - expected;
        if (denominator > 0)
            return difference * difference / denominator;
        return difference == 0 ? 0 : std::numeric_limits<double>::infinity();
    }

} // namespace

Interval95 wilsonInterval(std::int64_t successes, std::int64_t total)
{
    if (total <= 0)
        return {};
    const double n = double(total), rate = double(successes) / n;
    const double z2 = normalQuantile975 * normalQuantile975;
    const double centre = (rate + z2 / (2 * n)) / (1 + z2 / n);
    const double half = normalQuantile975 / (1 + z2 / n) * std::sqrt(rate * (1 - rate) / n + z2 / (4 * n * n));
    return { std::max(0.0, centre - half), std::min(1.0, centre + half) };
}

Uncertainty assessUncertainty(const Analysis& analysis)
{
    const RankedRecords& ranked = *analysis.ranked;
    Uncertainty u;
    u.auc = delongInterval(ranked);
    u.gini = 2 * u.auc.auc - 1;
    // Youden's J at the optimal cutoff is TPR − FPR at its maximum, the first group in ranking order on ties.
    u.ks = lrv::at(analysis.rocStats, lrv::RocStat::Youden);
    u.ksCutoff = lrv::at(analysis.rocStats, lrv::RocStat::Cutoff);

    const std::int64_t n = ranked.size();
    // Ranking order is monotone in the output, so the first and last ranks bound every output.
    const double lowest = std::min(ranked.output(0), ranked.output(n - 1));
    const double highest = std::max(ranked.output(0), ranked.output(n - 1));
    u.probabilitySource = (lowest >= 0 && highest <= 1) ? ProbabilitySource::Outputs : ProbabilitySource::LogisticFit;
    const LogisticModel model { analysis.probabilitySlope, analysis.probabilityIntercept };
    const bool fromOutputs = u.probabilitySource == ProbabilitySource::Outputs;
    const bool inverted = ranked.inverted();
    const auto probabilityOne = [&](double output) {
        if (fromOutputs)
            return inverted ? 1 - output : output;
        return LogisticModel::probabilityOne(model.logOdds(output));
    };

    const ProgressFunction silent;
    ProgressMeter meter(silent, n, 1);
    const BucketSummary buckets = BucketSummary::compute(ranked, analysis.buckets, meter);
    double squares = 0, logLoss = 0, statistic = 0;
    for (int b = 0; b < buckets.buckets; ++b) {
        double expected = 0;
        for (std::int64_t r = buckets.begin[b]; r < buckets.begin[b + 1]; ++r) {
            const double p = probabilityOne(ranked.output(r));
            const int y = ranked.cls(r);
            const double kept = std::clamp(p, probabilityFloor, 1 - probabilityFloor);
            expected += p;
            squares += (p - y) * (p - y);
            logLoss -= y ? std::log(kept) : std::log1p(-kept);
        }
        const std::int32_t total = buckets.total(b);
        u.wilson95.push_back(wilsonInterval(buckets.positives[b], total));
        u.meanProbability.push_back(expected / total);
        statistic += hosmerLemeshowTerm(buckets.positives[b], expected, total);
    }
    u.brier = squares / double(n);
    u.logLoss = logLoss / double(n);
    u.hosmerLemeshow.statistic = statistic;
    u.hosmerLemeshow.degrees = buckets.buckets - 2;
    u.hosmerLemeshow.p = chiSquareUpperTail(statistic, u.hosmerLemeshow.degrees);
    return u;
}

} // namespace wb::engine
