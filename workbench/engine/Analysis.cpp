#include "engine/Analysis.h"

#include "engine/BucketSummary.h"
#include "engine/CutoffTable.h"
#include "engine/LogisticModel.h"
#include "engine/ProbabilityTable.h"
#include "engine/ProgressMeter.h"
#include "engine/RankedRecords.h"
#include "engine/RankingSummary.h"
#include "engine/RocTable.h"
#include "engine/StoredCellTable.h"
#include "engine/WeightedFit.h"
#include "engine/ZerosOnesTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace wb::engine {

namespace {

    constexpr int maxBuckets = 1000;
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    // Key pass, histograms, six digit passes, rank pass, buckets, ROC groups.
    constexpr int plannedPasses = 11;

    double ratio(double numerator, double denominator) { return denominator != 0 ? numerator / denominator : nan; }

    std::string bucketRangeMessage(std::int64_t validRecords)
    {
        if (validRecords < 2)
            return "The dataset has " + std::to_string(validRecords)
                + " valid records; quantiles need at least 2. Choose another model or dataset.";
        const std::int64_t most = std::min<std::int64_t>(maxBuckets, validRecords);
        return "The number of buckets must be a whole number from 2 to " + std::to_string(most) + ".";
    }

    using Counts = OutcomeCounts;
    using lrv::at;
    using lrv::Outcome;

    // Per-bucket counts when the records ranked in [from, to) are predicted class 1.
    std::vector<Counts> countsPerBucket(
        const RankingDetails& details, const BucketSummary& summary, std::int64_t from, std::int64_t to)
    {
        std::vector<Counts> series(summary.buckets);
        for (int b = 0; b < summary.buckets; ++b) {
            const std::int64_t begin = summary.begin[b], end = summary.begin[b + 1];
            const std::int64_t low = std::max(begin, from), high = std::min(end, to);
            std::int32_t predicted = 0, truePositives = 0;
            if (low < high) {
                predicted = std::int32_t(high - low);
                truePositives
                    = (low == begin && high == end) ? summary.positives[b] : details.positivesBetween(low, high);
            }
            const std::int32_t falsePositives = predicted - truePositives;
            const std::int32_t falseNegatives = summary.positives[b] - truePositives;
            const std::int32_t trueNegatives = summary.total(b) - summary.positives[b] - falsePositives;
            Counts& counts = series[b];
            at(counts, Outcome::TruePositive) = truePositives;
            at(counts, Outcome::TrueNegative) = trueNegatives;
            at(counts, Outcome::FalsePositive) = falsePositives;
            at(counts, Outcome::FalseNegative) = falseNegatives;
        }
        return series;
    }

    Counts sumCounts(const std::vector<Counts>& series)
    {
        Counts sum {};
        for (const Counts& counts : series)
            for (std::size_t k = 0; k < sum.size(); ++k)
                sum[k] += counts[k];
        return sum;
    }

    // The statistics of lrv::MatrixStat up to the ROC-only ones.
    template <std::size_t Size> std::array<double, Size> matrixStats(const Counts& counts)
    {
        const double tp = at(counts, Outcome::TruePositive), tn = at(counts, Outcome::TrueNegative);
        const double fp = at(counts, Outcome::FalsePositive), fn = at(counts, Outcome::FalseNegative);
        const double total = tp + tn + fp + fn;
        std::array<double, Size> stats {};
        const double values[] = { tp + tn, fp + fn, total, tp, fn, fp, tn, ratio(tp + tn, total), ratio(tp, tp + fn),
            ratio(fn, tp + fn), ratio(fp, fp + tn), ratio(tn, fp + tn), ratio(tp, tp + fp), ratio(tn, tn + fn) };
        static_assert(std::size(values) == lrv::kLogisticMatrixStatCount);
        std::copy(std::begin(values), std::end(values), stats.begin());
        return stats;
    }

    struct RocResult {
        std::int64_t twiceU = 0;
        std::int32_t optimalGroup = 0;
    };

    // AUC by trapezoids over the tie-group points, which is the Mann–Whitney U with ties counted half; the optimal
    // group has the largest Youden J = TPR − FPR, compared exactly as TP·N − FP·P, the first on equal values.
    RocResult rocCurve(const RankedRecords& ranked, ProgressMeter& meter)
    {
        const std::int64_t positives = ranked.positives(), negatives = ranked.negatives();
        const std::int32_t groups = ranked.groups();
        RocResult result;
        std::int64_t twiceU = 0, previousTp = 0, previousFp = 0;
        std::int64_t best = std::numeric_limits<std::int64_t>::min();
        for (std::int32_t begin = 0; begin < groups; begin += std::int32_t(ProgressMeter::chunk)) {
            const std::int32_t end = std::min<std::int32_t>(groups, begin + std::int32_t(ProgressMeter::chunk));
            for (std::int32_t g = begin; g < end; ++g) {
                const std::int64_t tp = ranked.groupPositives(g);
                const std::int64_t fp = ranked.groupEnd(g) - tp;
                twiceU += (fp - previousFp) * (2 * previousTp + (tp - previousTp));
                const std::int64_t youden = tp * negatives - fp * positives;
                if (youden > best) {
                    best = youden;
                    result.optimalGroup = g;
                }
                previousTp = tp;
                previousFp = fp;
            }
            meter.report(std::size_t(end), std::size_t(groups));
        }
        meter.nextPass();
        result.twiceU = twiceU;
        return result;
    }

    std::shared_ptr<StoredCellTable> decileTable(const BucketSummary& s, std::int32_t allPositives)
    {
        auto table = std::make_shared<StoredCellTable>(1, s.buckets, 0, lrv::index(lrv::DecileColumn::Last));
        std::int64_t cumulative = 0;
        for (int b = 0; b < s.buckets; ++b) {
            const int row = b + 1;
            const double total = s.total(b), positives = s.positives[b], negatives = total - positives;
            cumulative += s.positives[b];
            const double values[] = { double(row), s.upper[b], s.lower[b], positives, negatives, total,
                positives / total, 100 * positives / total, negatives / total, 100 * negatives / total,
                double(cumulative), 100 * double(cumulative) / allPositives };
            static_assert(std::size(values) == lrv::kCountOf<lrv::DecileColumn>);
            for (int c = 0; c < lrv::kCountOf<lrv::DecileColumn>; ++c)
                table->set(row, c, values[c]);
        }
        return table;
    }

    void addDecileStats(Analysis& a, const RankingSummary& ranking)
    {
        const BucketSummary& s = ranking.buckets;
        const int middle = (s.buckets + 1) / 2 - 1; // bucket ⌈B/2⌉, 0-based
        const double top = s.rate(0), bottom = s.rate(s.buckets - 1), centre = s.rate(middle);
        a.decileStats = { double(ranking.validRecords), double(s.buckets), double(ranking.positives),
            double(ranking.negatives()), double(ranking.positives) / ranking.validRecords,
            double(ranking.calculationErrors), top - bottom, top - centre, ratio(centre - bottom, top - bottom) };
    }

    WeightedFit addLogOdds(Analysis& a, const BucketSummary& s)
    {
        std::vector<double> logOdds(s.buckets), weights(s.buckets);
        std::vector<double> odds(s.buckets);
        for (int b = 0; b < s.buckets; ++b) {
            const double total = s.total(b);
            const double positives = s.positives[b], negatives = total - positives;
            // A bucket of one class takes the continuity-corrected empirical logit: its odds stay finite and a
            // bucket of one record keeps its signal.
            odds[b] = positives > 0 && negatives > 0 ? positives / negatives : (positives + 0.5) / (negatives + 0.5);
            logOdds[b] = std::log(odds[b]);
            weights[b] = total;
        }
        const WeightedFit fit = WeightedFit::compute(s.x, logOdds, weights);
        auto table = std::make_shared<StoredCellTable>(1, s.buckets, 0, lrv::index(lrv::LogOddsColumn::Last));
        for (int b = 0; b < s.buckets; ++b) {
            const int row = b + 1;
            const double total = s.total(b), positives = s.positives[b];
            const double values[] = { double(row), s.upper[b], s.lower[b], positives, total - positives, total,
                100 * positives / total, 100 * (total - positives) / total, odds[b], logOdds[b], fit.at(s.x[b]) };
            static_assert(std::size(values) == lrv::kCountOf<lrv::LogOddsColumn>);
            for (int c = 0; c < lrv::kCountOf<lrv::LogOddsColumn>; ++c)
                table->set(row, c, values[c]);
        }
        a.slopeIntercept = table;
        a.logOddsSlope = fit.slope;
        a.logOddsIntercept = fit.intercept;
        a.logOddsRSquare = fit.rSquare;
        a.logisticCutoff = (fit.defined && fit.slope != 0) ? -fit.intercept / fit.slope : lrv::kNoCutoffPoint;
        return fit;
    }

    void addGainsAndLift(Analysis& a, const BucketSummary& s, std::int32_t validRecords, std::int32_t positives)
    {
        const double n = validRecords, allPositives = positives;
        const double rate = allPositives / n;
        auto gains = std::make_shared<StoredCellTable>(0, s.buckets, 0, lrv::index(lrv::GainsColumn::Last));
        auto lift = std::make_shared<StoredCellTable>(1, s.buckets, 0, lrv::index(lrv::LiftColumn::Last));
        double cumulativePositives = 0, cumulativeTotal = 0;
        double area = 0, previousX = 0, previousY = 0;
        double cumulativeLiftArea = 0, liftArea = 0, idealArea = 0;
        double previousLift = 0, previousCumulativeLift = 0, previousIdeal = 0;
        for (int b = 0; b < s.buckets; ++b) {
            const int row = b + 1;
            const double total = s.total(b), positives = s.positives[b];
            cumulativePositives += positives;
            cumulativeTotal += total;
            const double bucketLift = positives / total / rate;
            const double cumulativeRate = cumulativePositives / cumulativeTotal;
            const double cumulativeLift = cumulativeRate / rate;
            const double values[]
                = { double(row), s.upper[b], s.lower[b], total - positives, positives, positives / total, bucketLift,
                      cumulativePositives, cumulativeRate, 100 * cumulativePositives / allPositives, cumulativeLift,
                      cumulativeTotal - cumulativePositives, total, 100 * cumulativeTotal / n };
            static_assert(std::size(values) == lrv::kCountOf<lrv::GainsColumn>);
            for (int c = 0; c < lrv::kCountOf<lrv::GainsColumn>; ++c)
                gains->set(row, c, values[c]);
            const double x = cumulativeTotal / n, y = cumulativePositives / allPositives;
            const double ideal = std::min(1 / rate, 1 / x);
            lift->set(row, lrv::index(lrv::LiftColumn::CumulativePopulationPercent), 100 * x);
            lift->set(row, lrv::index(lrv::LiftColumn::RandomLift), 1);
            lift->set(row, lrv::index(lrv::LiftColumn::IdealLift), 1 / rate);
            lift->set(row, lrv::index(lrv::LiftColumn::Lift), bucketLift);
            lift->set(row, lrv::index(lrv::LiftColumn::CumulativeLift), cumulativeLift);
            area += (x - previousX) * (y + previousY) / 2;
            if (b > 0) {
                cumulativeLiftArea += (x - previousX) * (cumulativeLift + previousCumulativeLift) / 2;
                liftArea += (x - previousX) * (bucketLift + previousLift) / 2;
                idealArea += (x - previousX) * (ideal + previousIdeal) / 2;
            }
            previousX = x;
            previousY = y;
            previousLift = bucketLift;
            previousCumulativeLift = cumulativeLift;
            previousIdeal = ideal;
        }
        a.gains = gains;
        a.lift = lift;
        a.gainsArea = area;
        // The ideal gains curve reaches every positive after the fraction `rate` of the population.
        a.gainsRankingQuality = ratio(area - 0.5, (1 - rate / 2) - 0.5);
        const double randomArea = 1 - double(s.total(0)) / n;
        a.liftStats = { cumulativeLiftArea - randomArea, cumulativeLiftArea, liftArea,
            ratio(cumulativeLiftArea - randomArea, idealArea - randomArea) };
    }

    /// The details of a ranking held in memory.
    class MemoryDetails : public RankingDetails {
    public:
        explicit MemoryDetails(std::shared_ptr<const RankedRecords> ranked)
            : m_ranked(std::move(ranked))
        {
        }

        std::int32_t positivesBetween(std::int64_t low, std::int64_t high) const override
        {
            return engine::positivesBetween(*m_ranked, low, high);
        }

        std::pair<std::int64_t, std::int64_t> predictedRun(const LogisticModel& model) override
        {
            const std::int64_t n = m_ranked->size();
            auto classAt = [&](std::int64_t r) { return model.mostLikelyClass(m_ranked->output(r)); };
            const int first = classAt(0);
            std::int64_t low = 0, high = n; // first rank whose class differs from the first
            while (low < high) {
                const std::int64_t mid = low + (high - low) / 2;
                if (classAt(mid) == first)
                    low = mid + 1;
                else
                    high = mid;
            }
            return first == 1 ? std::make_pair(std::int64_t(0), low) : std::make_pair(low, n);
        }

        void addRecordTables(Analysis& a, std::int32_t optimalEnd, const LogisticModel& model) const override
        {
            a.rocResults = std::make_shared<RocTable>(m_ranked, optimalEnd);
            a.cutoffPoints = std::make_shared<CutoffTable>(m_ranked);
            a.probabilities = std::make_shared<ProbabilityTable>(m_ranked, model);
            a.zerosOnes = std::make_shared<ZerosOnesTable>(m_ranked);
        }

    private:
        std::shared_ptr<const RankedRecords> m_ranked;
    };

} // namespace

int parseBuckets(const std::string& text, std::int64_t validRecords)
{
    const auto begin = text.find_first_not_of(" \t");
    const auto end = text.find_last_not_of(" \t");
    int value = 0;
    bool whole = false;
    if (begin != std::string::npos) {
        const char* first = text.data() + begin;
        const char* last = text.data() + end + 1;
        const auto [ptr, ec] = std::from_chars(first, last, value);
        whole = ec == std::errc() && ptr == last;
    }
    if (!whole || value < 2 || value > maxBuckets || value > validRecords)
        throw CalculationError(bucketRangeMessage(validRecords));
    return value;
}

Analysis analyse(const ScoredRecords& records, int buckets, const ProgressFunction& progress)
{
    if (buckets < 2 || buckets > maxBuckets)
        throw CalculationError(bucketRangeMessage(std::int64_t(records.size)));
    ProgressMeter meter(progress, std::int64_t(records.size), plannedPasses);
    const std::shared_ptr<const RankedRecords> ranked = RankedRecords::build(records, meter);
    if (buckets > ranked->size())
        throw CalculationError(bucketRangeMessage(ranked->size()));

    RankingSummary summary;
    summary.inverted = records.inverted;
    summary.validRecords = ranked->size();
    summary.positives = ranked->positives();
    summary.calculationErrors = ranked->errorCount();
    summary.buckets = BucketSummary::compute(*ranked, buckets, meter);
    const RocResult roc = rocCurve(*ranked, meter);
    summary.twiceU = roc.twiceU;
    summary.optimalBegin = ranked->groupBegin(roc.optimalGroup);
    summary.optimalEnd = ranked->groupEnd(roc.optimalGroup);
    summary.optimalOutput = ranked->output(summary.optimalBegin);
    summary.thresholdId = ranked->id(summary.optimalBegin);
    MemoryDetails details(ranked);
    Analysis a = assembleAnalysis(summary, details);
    a.ranked = ranked;
    a.idTexts = records.idTexts;
    return a;
}

Analysis assembleAnalysis(const RankingSummary& ranking, RankingDetails& details)
{
    const BucketSummary& summary = ranking.buckets;
    const int buckets = summary.buckets;
    Analysis a;
    a.buckets = buckets;
    a.inverted = ranking.inverted;
    a.validRecords = ranking.validRecords;
    a.calculationErrors = ranking.calculationErrors;

    a.decileResults = decileTable(summary, ranking.positives);
    {
        std::vector<double> percent(buckets), weights(buckets);
        for (int b = 0; b < buckets; ++b) {
            percent[b] = 100 * summary.rate(b);
            weights[b] = summary.total(b);
        }
        const WeightedFit trend = WeightedFit::compute(summary.x, percent, weights);
        a.trendSlope = trend.slope;
        a.trendIntercept = trend.intercept;
        a.trendRSquare = trend.rSquare;
    }
    addDecileStats(a, ranking);

    const double positives = ranking.positives, negatives = ranking.negatives();
    a.auc = double(ranking.twiceU) / (2.0 * positives * negatives);
    a.thresholdId = ranking.thresholdId;
    a.rocPerBucket = countsPerBucket(details, summary, 0, ranking.optimalEnd);
    a.rocCounts = sumCounts(a.rocPerBucket);
    {
        const double tp = at(a.rocCounts, Outcome::TruePositive), tn = at(a.rocCounts, Outcome::TrueNegative);
        const double fp = at(a.rocCounts, Outcome::FalsePositive), fn = at(a.rocCounts, Outcome::FalseNegative);
        const double youden = ratio(tp, positives) + ratio(tn, negatives) - 1;
        const double cutoff = ranking.optimalOutput;
        a.rocStats = { a.auc, youden, cutoff, tp + tn, fp + fn, double(ranking.validRecords), tp, tn, fp, fn,
            ratio(tp, tp + fn), ratio(tn, tn + fp), ratio(fp, tn + fp), ratio(fn, tp + fn), ratio(tp, tp + fp),
            ratio(tn, tn + fn) };
        a.rocMatrixStats = matrixStats<lrv::kCountOf<lrv::MatrixStat>>(a.rocCounts);
        at(a.rocMatrixStats, lrv::MatrixStat::Youden) = youden;
        at(a.rocMatrixStats, lrv::MatrixStat::Cutoff) = cutoff;
    }

    const WeightedFit fit = addLogOdds(a, summary);
    LogisticModel model { fit.slope, fit.intercept };
    if (!fit.defined) {
        // Without a fit every record gets the intercept-only model: the overall odds.
        const double rate = positives / ranking.validRecords;
        model = { 0, std::log(rate / (1 - rate)) };
    }
    a.probabilitySlope = model.slope;
    a.probabilityIntercept = model.intercept;
    details.addRecordTables(a, ranking.optimalEnd, model);
    const auto [from, to] = details.predictedRun(model);
    a.logisticPerBucket = countsPerBucket(details, summary, from, to);
    a.logisticCounts = sumCounts(a.logisticPerBucket);
    a.logisticMatrixStats = matrixStats<lrv::kLogisticMatrixStatCount>(a.logisticCounts);

    addGainsAndLift(a, summary, ranking.validRecords, ranking.positives);
    return a;
}

Fitness computeFitness(const ScoredRecords& records, int buckets)
{
    std::int64_t valid = 0;
    for (std::size_t i = 0; i < records.size; ++i)
        valid += std::isfinite(records.outputs[i]);
    Fitness fitness;
    if (valid < 2)
        return fitness;
    Analysis a;
    try {
        a = analyse(records, std::clamp<int>(buckets, 2, int(std::min<std::int64_t>(valid, maxBuckets))));
    } catch (const CalculationError&) {
        return fitness;
    }
    fitness.auc = a.auc;
    const LogisticModel model { a.probabilitySlope, a.probabilityIntercept };
    // Squared Pearson correlation of P(1) with the class, over the valid records.
    double sp = 0, sy = 0, spp = 0, syy = 0, spy = 0;
    for (std::size_t i = 0; i < records.size; ++i) {
        const double output = records.outputs[i];
        if (!std::isfinite(output))
            continue;
        const double p = LogisticModel::probabilityOne(model.logOdds(output));
        const double y = records.classes[i] != 0;
        sp += p;
        sy += y;
        spp += p * p;
        syy += y * y;
        spy += p * y;
    }
    const double n = double(valid);
    const double covariance = spy - sp * sy / n;
    const double varianceP = spp - sp * sp / n, varianceY = syy - sy * sy / n;
    fitness.rSquare = (varianceP > 0 && varianceY > 0) ? covariance * covariance / (varianceP * varianceY) : 0;
    fitness.accuracy = 100.0
        * (at(a.logisticCounts, Outcome::TruePositive) + at(a.logisticCounts, Outcome::TrueNegative)) / a.validRecords;
    return fitness;
}

} // namespace wb::engine
