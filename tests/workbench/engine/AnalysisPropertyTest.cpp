// The engine against brute-force oracles on random records with ties, inverted classes and calculation
// errors: a comparison sort, pairwise Mann–Whitney and DeLong placement counts (DeLong, DeLong and
// Clarke-Pearson, 1988), direct counts at every threshold and a scan over every threshold for each cutoff rule.
#include "EngineTestRecords.h"
#include "engine/Analysis.h"
#include "engine/ChosenCutoff.h"
#include "engine/Delong.h"
#include "engine/Distributions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <numeric>
#include <random>

using namespace wb::engine;
using wb::engine::test::TestRecords;

namespace {

struct Case {
    int records;
    int buckets;
    int decimals; ///< outputs rounded to this many decimals, so small values give many ties
    bool inverted;
    bool shuffledIds;
};

TestRecords randomRecords(const Case& c, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(0, 1);
    TestRecords records;
    records.inverted = c.inverted;
    const double scale = std::pow(10.0, c.decimals);
    for (int i = 0; i < c.records; ++i) {
        const int cls = uniform(random) < 0.3 ? 1 : 0;
        // Class 1 tends high (low when inverted), with overlap.
        double output = std::round((uniform(random) * 0.7 + (cls ^ int(c.inverted)) * 0.3) * scale) / scale;
        if (uniform(random) < 0.03)
            output = std::numeric_limits<double>::quiet_NaN();
        if (i % 17 == 5)
            output = -output; // negative outputs and -0
        records.ids.push_back(i * 3 - 100);
        records.classes.push_back(std::uint8_t(cls));
        records.outputs.push_back(output);
    }
    if (c.shuffledIds)
        std::shuffle(records.ids.begin(), records.ids.end(), random);
    return records;
}

// The ranking the analysis must produce, by a plain comparison sort.
std::vector<int> referenceRanking(const TestRecords& r)
{
    std::vector<int> order;
    for (int i = 0; i < int(r.outputs.size()); ++i)
        if (std::isfinite(r.outputs[i]))
            order.push_back(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        if (r.outputs[a] != r.outputs[b])
            return r.inverted ? r.outputs[a] < r.outputs[b] : r.outputs[a] > r.outputs[b];
        return r.ids[a] < r.ids[b];
    });
    return order;
}

/// The operating point of a rule by scanning every distinct output as a threshold, strictest first: the
/// records at or past it (at or below it when inverted) are predicted class 1.
struct ScannedCutoff {
    double cutoff = std::nan("");
    std::int64_t tp = 0, fp = 0;
};

ScannedCutoff scanCutoff(const TestRecords& r, const std::vector<int>& order, const std::string& rule)
{
    const auto countAt = [&](double t) {
        ScannedCutoff c { t };
        for (int i : order)
            if (r.inverted ? r.outputs[i] <= t : r.outputs[i] >= t)
                (r.classes[i] ? c.tp : c.fp)++;
        return c;
    };
    std::int64_t positives = 0;
    for (int i : order)
        positives += r.classes[i];
    const auto negatives = std::int64_t(order.size()) - positives;
    const double value = std::stod(rule.substr(rule.find_first_of("=:") + 1));
    std::vector<ScannedCutoff> thresholds;
    for (int i : order)
        if (thresholds.empty() || thresholds.back().cutoff != r.outputs[i])
            thresholds.push_back(countAt(r.outputs[i]));
    ScannedCutoff chosen;
    double best = std::numeric_limits<double>::infinity();
    for (const ScannedCutoff& t : thresholds) {
        const double sensitivity = double(t.tp) / double(positives);
        const double specificity = double(negatives - t.fp) / double(negatives);
        if (rule.starts_with("sensitivity") && sensitivity >= value && std::isnan(chosen.cutoff))
            chosen = t;
        if (rule.starts_with("specificity") && specificity >= value)
            chosen = t; // the least strict that still reaches it
        if (rule.starts_with("top") && std::isnan(chosen.cutoff)
            && double(t.tp + t.fp) >= std::ceil(value * double(order.size()) / 100 - 1e-9))
            chosen = t;
        const double cost = value * double(t.fp) + 1 * double(positives - t.tp);
        if (rule.starts_with("cost") && cost < best)
            best = cost, chosen = t;
    }
    return rule.starts_with("value") ? countAt(value) : chosen;
}

/// DeLong's placement values by visiting every positive–negative pair.
struct SlowPlacements {
    std::vector<double> positives, negatives;
    double auc = 0;
};

SlowPlacements slowPlacements(const TestRecords& r)
{
    std::vector<std::size_t> pos, neg;
    for (std::size_t i = 0; i < r.outputs.size(); ++i)
        if (std::isfinite(r.outputs[i]))
            (r.classes[i] ? pos : neg).push_back(i);
    SlowPlacements s { std::vector<double>(pos.size()), std::vector<double>(neg.size()) };
    for (std::size_t i = 0; i < pos.size(); ++i)
        for (std::size_t j = 0; j < neg.size(); ++j) {
            const double x = r.outputs[pos[i]], y = r.outputs[neg[j]];
            const double psi = (r.inverted ? x < y : x > y) ? 1 : x == y ? 0.5 : 0;
            s.positives[i] += psi / double(neg.size());
            s.negatives[j] += psi / double(pos.size());
        }
    for (const double v : s.positives)
        s.auc += v / double(pos.size());
    return s;
}

double slowCovariance(const SlowPlacements& a, const SlowPlacements& b)
{
    const auto part = [](const std::vector<double>& x, double mx, const std::vector<double>& y, double my) {
        double sum = 0;
        for (std::size_t i = 0; i < x.size(); ++i)
            sum += (x[i] - mx) * (y[i] - my);
        return sum / double(x.size() - 1) / double(x.size());
    };
    return part(a.positives, a.auc, b.positives, b.auc) + part(a.negatives, a.auc, b.negatives, b.auc);
}

class AnalysisProperties : public ::testing::TestWithParam<Case> { };

} // namespace

TEST_P(AnalysisProperties, AgreeWithDirectCounting)
{
    const Case c = GetParam();
    for (unsigned seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const TestRecords records = randomRecords(c, seed);
        const Analysis a = analyse(records.view(), c.buckets);
        const std::vector<int> order = referenceRanking(records);
        const int n = int(order.size());
        const int e = int(records.outputs.size()) - n;
        ASSERT_EQ(a.validRecords, n);
        ASSERT_EQ(a.calculationErrors, e);
        std::int64_t positives = 0;
        for (int i : order)
            positives += records.classes[i];
        const std::int64_t negatives = n - positives;

        // AUC is the Mann–Whitney count with ties counted half.
        const SlowPlacements slow = slowPlacements(records);
        EXPECT_NEAR(a.auc, slow.auc, 1e-12);

        // Every ROC row: the record in ranking order with the counts of all records at or past its output.
        const CellTable& roc = *a.rocResults;
        ASSERT_EQ(roc.rowHigh(), n + e - 1);
        double bestYouden = -2;
        for (int r = 0; r < n; ++r) {
            const int i = order[r];
            std::int64_t tp = 0, fp = 0;
            for (int j : order) {
                const bool atOrPast = records.inverted ? records.outputs[j] <= records.outputs[i]
                                                       : records.outputs[j] >= records.outputs[i];
                if (atOrPast)
                    (records.classes[j] ? tp : fp)++;
            }
            const int row = e + r;
            ASSERT_EQ(lrv::at(roc, row, lrv::RocColumn::Id), records.ids[i]) << r;
            ASSERT_EQ(lrv::at(roc, row, lrv::RocColumn::TruePositives), tp) << r;
            ASSERT_EQ(lrv::at(roc, row, lrv::RocColumn::FalsePositives), fp) << r;
            ASSERT_EQ(lrv::at(roc, row, lrv::RocColumn::TrueNegatives), negatives - fp) << r;
            ASSERT_EQ(lrv::at(roc, row, lrv::RocColumn::FalseNegatives), positives - tp) << r;
            ASSERT_EQ(lrv::at(roc, row, lrv::RocColumn::ErrorFlag), 0);
            bestYouden = std::max(bestYouden, lrv::at(roc, row, lrv::RocColumn::Youden));
        }
        for (int row = 0; row < e; ++row)
            EXPECT_EQ(lrv::at(roc, row, lrv::RocColumn::ErrorFlag), 1);
        // The threshold row has the largest Youden J, and the statistics and counts agree with it.
        int thresholdRow = -1;
        for (int r = e; r < n + e && thresholdRow < 0; ++r)
            if (lrv::at(roc, r, lrv::RocColumn::Id) == a.thresholdId)
                thresholdRow = r;
        ASSERT_GE(thresholdRow, 0);
        EXPECT_NEAR(lrv::at(roc, thresholdRow, lrv::RocColumn::Youden), bestYouden, 1e-12);
        EXPECT_NEAR(lrv::at(a.rocStats, lrv::RocStat::Youden), bestYouden, 1e-12);
        EXPECT_EQ(lrv::at(a.rocCounts, lrv::Outcome::TruePositive),
            lrv::at(roc, thresholdRow, lrv::RocColumn::TruePositives));
        EXPECT_EQ(lrv::at(a.rocCounts, lrv::Outcome::FalsePositive),
            lrv::at(roc, thresholdRow, lrv::RocColumn::FalsePositives));
        std::array<std::int64_t, 4> outcomes {};
        for (int r = e; r < n + e; ++r)
            ++outcomes[std::size_t(lrv::at(roc, r, lrv::RocColumn::Outcome))];
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(outcomes[k], a.rocCounts[k]) << "outcome " << k;

        // Buckets: rank r in bucket floor(B·r/n) + 1; counts add up.
        std::vector<std::int64_t> total(c.buckets), pos(c.buckets);
        for (int r = 0; r < n; ++r) {
            const int b = int(std::int64_t(c.buckets) * r / n);
            ++total[b];
            pos[b] += records.classes[order[r]];
        }
        for (int b = 0; b < c.buckets; ++b) {
            EXPECT_EQ(lrv::at(*a.decileResults, b + 1, lrv::DecileColumn::Total), total[b]) << b;
            EXPECT_EQ(lrv::at(*a.decileResults, b + 1, lrv::DecileColumn::Positives), pos[b]) << b;
            EXPECT_EQ(lrv::at(*a.gains, b + 1, lrv::GainsColumn::Total), total[b]) << b;
            std::int64_t rocBucket = 0, logisticBucket = 0;
            for (int k = 0; k < 4; ++k) {
                rocBucket += a.rocPerBucket[b][k];
                logisticBucket += a.logisticPerBucket[b][k];
            }
            EXPECT_EQ(rocBucket, total[b]);
            EXPECT_EQ(logisticBucket, total[b]);
            EXPECT_EQ(a.rocPerBucket[b][0] + a.rocPerBucket[b][3], pos[b]);
        }

        // Probabilities: ascending output, ties by id; the logistic counts are the most likely classes.
        const CellTable& p = *a.probabilities;
        std::array<std::int64_t, 4> logistic {};
        double previous = -std::numeric_limits<double>::infinity();
        std::int32_t previousId = std::numeric_limits<std::int32_t>::min();
        for (int r = e; r < n + e; ++r) {
            const double output = lrv::at(p, r, lrv::ProbabilityColumn::Output);
            const auto id = std::int32_t(lrv::at(p, r, lrv::ProbabilityColumn::Id));
            ASSERT_TRUE(output > previous || (output == previous && id > previousId)) << r;
            previous = output;
            previousId = id;
            EXPECT_EQ(lrv::at(p, r, lrv::ProbabilityColumn::MostLikelyClass),
                lrv::at(p, r, lrv::ProbabilityColumn::ProbabilityOne) >= 0.5 ? 1 : 0);
            const int cls = int(lrv::at(p, r, lrv::ProbabilityColumn::Target)),
                      predicted = int(lrv::at(p, r, lrv::ProbabilityColumn::MostLikelyClass));
            ++logistic[predicted ? (cls ? 0 : 2) : (cls ? 3 : 1)];
            EXPECT_EQ(lrv::at(*a.cutoffPoints, r - e, lrv::CutoffColumn::Output), output);
            EXPECT_EQ(lrv::at(*a.zerosOnes, r - e, lrv::ZerosOnesColumn::Output), output);
            EXPECT_EQ(lrv::at(*a.zerosOnes, r - e, lrv::ZerosOnesColumn::Level), cls);
        }
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(logistic[k], a.logisticCounts[k]) << "outcome " << k;

        // Every chosen-cutoff rule picks the threshold a scan over the distinct outputs picks.
        const auto groups = rankedGroups(a.ranked);
        const auto valueRule = [](double value) {
            char text[40];
            std::snprintf(text, sizeof text, "value=%.17g", value);
            return std::string(text);
        };
        const double middle = records.outputs[std::size_t(order[std::size_t(n / 2)])];
        for (const std::string& rule : std::vector<std::string> { "sensitivity=0.3", "sensitivity=0.85",
                 "specificity=0.5", "specificity=0.9", "top=10%", "top=37%", "cost=1:1", "cost=4:1", "cost=0.25:1",
                 valueRule(middle), valueRule(middle + 1e-7) }) {
            SCOPED_TRACE(rule);
            const ScannedCutoff expected = scanCutoff(records, order, rule);
            const CutoffRule parsed = parseCutoffRule(rule.starts_with("value") ? rule.substr(6) : rule);
            if (std::isnan(expected.cutoff)) {
                EXPECT_THROW(chooseCutoff(*groups, parsed, 0, 0), CalculationError);
                continue;
            }
            const ChosenCutoff chosen = chooseCutoff(*groups, parsed, 0, 0);
            EXPECT_EQ(chosen.cutoff, expected.cutoff);
            EXPECT_EQ(chosen.tp, expected.tp);
            EXPECT_EQ(chosen.fp, expected.fp);
            EXPECT_EQ(chosen.tp + chosen.fn, positives);
            EXPECT_EQ(chosen.fp + chosen.tn, negatives);
        }
        // DeLong's interval, and the paired test against a coarser model of the same records.
        TestRecords coarse = records;
        for (double& output : coarse.outputs)
            output = std::round(output * 4) / 4;
        const SlowPlacements slowCoarse = slowPlacements(coarse);
        const double variance = slowCovariance(slow, slow);
        for (const AucInterval& interval : { delongInterval(records.view()), delongInterval(*a.ranked) }) {
            EXPECT_NEAR(interval.auc, slow.auc, 1e-12);
            EXPECT_NEAR(interval.variance, variance, 1e-15);
            EXPECT_NEAR(
                interval.ci95.low, std::clamp(slow.auc - normalQuantile975 * std::sqrt(variance), 0.0, 1.0), 1e-12);
        }
        const PairedAucTest paired
            = delongPairedTest(delongPlacements(records.view()), delongPlacements(coarse.view()));
        const double error
            = std::sqrt(variance + slowCovariance(slowCoarse, slowCoarse) - 2 * slowCovariance(slow, slowCoarse));
        EXPECT_NEAR(paired.difference, slow.auc - slowCoarse.auc, 1e-12);
        EXPECT_NEAR(paired.standardError, error, 1e-12);
        EXPECT_NEAR(paired.p, std::erfc(std::fabs(paired.difference / error) / std::sqrt(2.0)), 1e-12);

        // Youden's rule takes the analysis' cutoff, whose counts are the ROC matrix.
        const ChosenCutoff youden
            = chooseCutoff(*groups, parseCutoffRule("youden"), lrv::at(a.rocStats, lrv::RocStat::Cutoff), 0);
        EXPECT_EQ(youden.tp, lrv::at(a.rocCounts, lrv::Outcome::TruePositive));
        EXPECT_EQ(youden.fp, lrv::at(a.rocCounts, lrv::Outcome::FalsePositive));
    }
}

// Records, buckets, decimals (few give many ties), inverted, shuffled ids.
INSTANTIATE_TEST_SUITE_P(RandomData, AnalysisProperties,
    ::testing::Values(Case { 300, 10, 12, false, false }, Case { 300, 7, 1, false, true },
        Case { 257, 13, 2, true, false }, Case { 199, 2, 1, true, true }, Case { 60, 40, 3, false, false }));

TEST(AnalysisLarge, MappedBuffersRankLikeAComparisonSort)
{
    // Large enough for the huge-page buffers and every radix digit; ties from four decimals, ids shuffled.
    const Case c { 300000, 10, 4, false, true };
    const TestRecords records = randomRecords(c, 7);
    const Analysis a = analyse(records.view(), c.buckets);
    const std::vector<int> order = referenceRanking(records);
    const int n = int(order.size());
    const int e = a.calculationErrors;
    ASSERT_EQ(a.validRecords, n);
    for (int r = 0; r < n; r += 97) {
        ASSERT_EQ(lrv::at(*a.rocResults, e + r, lrv::RocColumn::Id), records.ids[order[r]]) << r;
        ASSERT_EQ(lrv::at(*a.rocResults, e + r, lrv::RocColumn::Output), records.outputs[order[r]] + 0.0) << r;
    }

    std::int64_t sum = 0;
    for (const auto& bucket : a.rocPerBucket)
        sum += bucket[0] + bucket[1] + bucket[2] + bucket[3];
    EXPECT_EQ(sum, n);
}
