// DeLong's AUC interval and paired test against values worked out by hand and against the pairwise
// placement values of DeLong, DeLong and Clarke-Pearson (1988), computed here the slow way.
#include "engine/Delong.h"

#include "EngineTestRecords.h"
#include "engine/Distributions.h"
#include "engine/RankedRecords.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <stdexcept>

using namespace wb::engine;
using wb::engine::test::TestRecords;

namespace {

constexpr double missing = std::numeric_limits<double>::quiet_NaN();

AucInterval intervalFromRanking(const TestRecords& records)
{
    return delongInterval(*analyse(records.view(), 2).ranked);
}

TEST(Delong, SmallDataWorkedOutByHand)
{
    // Positives 0.9, 0.6, 0.4 and negatives 0.6, 0.3, the 0.6 pair tied. Placements of the positives: 1, 0.75,
    // 0.5; of the negatives: 0.5, 1. AUC 0.75; S10 = 0.0625, S01 = 0.125, V = 0.0625/3 + 0.125/2 = 1/12.
    // The upper end 0.75 + 1.96·0.289 passes 1 and is clipped.
    const struct {
        const char* name;
        TestRecords records;
    } cases[] = {
        { "ties", { { 0.9, 1 }, { 0.6, 0 }, { 0.6, 1 }, { 0.3, 0 }, { 0.4, 1 } } },
        { "inverted", { { { -0.9, 1 }, { -0.6, 0 }, { -0.6, 1 }, { -0.3, 0 }, { -0.4, 1 } }, true } },
        { "errors left out",
            { { 0.9, 1 }, { missing, 1 }, { 0.6, 0 }, { 0.6, 1 }, { missing, 0 }, { 0.3, 0 }, { 0.4, 1 } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DelongPlacements placements = delongPlacements(c.records.view());
        EXPECT_EQ(placements.positives, (std::vector<double> { 1, 0.75, 0.5 }));
        EXPECT_EQ(placements.negatives, (std::vector<double> { 0.5, 1 }));
        for (const AucInterval& interval :
            { delongInterval(placements), intervalFromRanking(c.records), delongInterval(c.records.view()) }) {
            EXPECT_DOUBLE_EQ(interval.auc, 0.75);
            EXPECT_DOUBLE_EQ(interval.variance, 1.0 / 12);
            EXPECT_DOUBLE_EQ(interval.ci95.low, 0.75 - 1.959963984540054 * std::sqrt(1.0 / 12));
            EXPECT_EQ(interval.ci95.high, 1.0);
        }
    }
    // One positive gives no variance.
    const TestRecords single { { 0.9, 1 }, { 0.6, 0 }, { 0.3, 0 } };
    EXPECT_TRUE(std::isnan(delongInterval(single.view()).ci95.low));
    const TestRecords oneClass { { 0.5, 1 }, { missing, 0 } };
    EXPECT_THROW(delongPlacements(oneClass.view()), CalculationError);
    EXPECT_THROW(delongInterval(oneClass.view()), CalculationError);
}

/// Two models scoring the same records, with ties and shared calculation errors.
struct PairedRecords {
    TestRecords a, b;
};

PairedRecords randomPair(int size, bool inverted, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(0, 1);
    PairedRecords pair;
    pair.a.inverted = pair.b.inverted = inverted;
    for (int i = 0; i < size; ++i) {
        const int cls = uniform(random) < 0.35;
        const double signal = (inverted ? -1 : 1) * cls;
        double a = std::round((uniform(random) + 0.6 * signal) * 100) / 100;
        double b = std::round((0.2 * a + uniform(random) + 0.1 * signal) * 20) / 20;
        if (uniform(random) < 0.02)
            a = b = missing;
        for (TestRecords* records : { &pair.a, &pair.b }) {
            records->ids.push_back(i + 1);
            records->classes.push_back(std::uint8_t(cls));
        }
        pair.a.outputs.push_back(a);
        pair.b.outputs.push_back(b);
    }
    return pair;
}

/// Placement values by visiting every positive–negative pair.
struct SlowPlacements {
    std::vector<double> positives, negatives;
    double auc = 0;
};

SlowPlacements slowPlacements(const TestRecords& r)
{
    const auto outranks = [&](double x, double y) { return r.inverted ? x < y : x > y; };
    std::vector<std::size_t> pos, neg;
    for (std::size_t i = 0; i < r.outputs.size(); ++i)
        if (std::isfinite(r.outputs[i]))
            (r.classes[i] ? pos : neg).push_back(i);
    SlowPlacements s;
    s.positives.assign(pos.size(), 0);
    s.negatives.assign(neg.size(), 0);
    for (std::size_t i = 0; i < pos.size(); ++i)
        for (std::size_t j = 0; j < neg.size(); ++j) {
            const double x = r.outputs[pos[i]], y = r.outputs[neg[j]];
            const double psi = outranks(x, y) ? 1 : x == y ? 0.5 : 0;
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

TEST(Delong, EqualsThePairwiseMethodOnRandomRecords)
{
    for (const bool inverted : { false, true }) {
        SCOPED_TRACE(inverted ? "inverted" : "plain");
        const PairedRecords pair = randomPair(900, inverted, inverted ? 7u : 11u);
        const SlowPlacements slowA = slowPlacements(pair.a), slowB = slowPlacements(pair.b);
        const DelongPlacements fastA = delongPlacements(pair.a.view()), fastB = delongPlacements(pair.b.view());
        ASSERT_EQ(fastA.positives.size(), slowA.positives.size());
        for (std::size_t i = 0; i < slowA.positives.size(); ++i)
            ASSERT_NEAR(fastA.positives[i], slowA.positives[i], 1e-12) << i;
        for (std::size_t j = 0; j < slowA.negatives.size(); ++j)
            ASSERT_NEAR(fastA.negatives[j], slowA.negatives[j], 1e-12) << j;

        const double varianceA = slowCovariance(slowA, slowA);
        for (const AucInterval& interval :
            { delongInterval(fastA), intervalFromRanking(pair.a), delongInterval(pair.a.view()) }) {
            EXPECT_NEAR(interval.auc, slowA.auc, 1e-12);
            EXPECT_NEAR(interval.variance, varianceA, 1e-15);
            EXPECT_NEAR(interval.ci95.low, slowA.auc - normalQuantile975 * std::sqrt(varianceA), 1e-12);
        }

        const PairedAucTest test = delongPairedTest(fastA, fastB);
        const double error = std::sqrt(varianceA + slowCovariance(slowB, slowB) - 2 * slowCovariance(slowA, slowB));
        EXPECT_NEAR(test.difference, slowA.auc - slowB.auc, 1e-12);
        EXPECT_NEAR(test.standardError, error, 1e-12);
        EXPECT_NEAR(test.ci95.high, test.difference + normalQuantile975 * error, 1e-12);
        EXPECT_NEAR(test.p, std::erfc(std::fabs(test.difference / error) / std::sqrt(2.0)), 1e-12);
        EXPECT_LT(test.p, 0.05) << "the models were built to differ";
    }
}

TEST(Delong, PairedTestOfAModelWithItselfFindsNoDifference)
{
    const PairedRecords pair = randomPair(50, false, 3);
    const DelongPlacements a = delongPlacements(pair.a.view());
    const PairedAucTest test = delongPairedTest(a, a);
    EXPECT_EQ(test.difference, 0);
    EXPECT_EQ(test.p, 1);
    EXPECT_THROW(
        delongPairedTest(a, delongPlacements(TestRecords { { 0.2, 0 }, { 0.8, 1 } }.view())), std::invalid_argument);
}

TEST(Distributions, ChiSquareTailEqualsClosedFormsAndTables)
{
    // df 1: erfc(√(x/2)); df 2: e^(−x/2); df 4: e^(−x/2)(1 + x/2). Small x take the series, large x the
    // continued fraction.
    for (const double x : { 0.01, 0.5, 1.9, 2.1, 3.0, 7.5, 30.0, 200.0 }) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(chiSquareUpperTail(x, 1), std::erfc(std::sqrt(x / 2)), 1e-14);
        EXPECT_NEAR(chiSquareUpperTail(x, 2) / std::exp(-x / 2), 1, 1e-12);
        EXPECT_NEAR(chiSquareUpperTail(x, 4) / (std::exp(-x / 2) * (1 + x / 2)), 1, 1e-12);
    }
    // Critical values from printed tables.
    EXPECT_NEAR(chiSquareUpperTail(7.815, 3), 0.05, 1e-4);
    EXPECT_NEAR(chiSquareUpperTail(18.307, 10), 0.05, 1e-4);
    EXPECT_NEAR(chiSquareUpperTail(37.566, 20), 0.01, 1e-4);
    EXPECT_EQ(chiSquareUpperTail(0, 5), 1);
    EXPECT_TRUE(std::isnan(chiSquareUpperTail(1, 0)));
    EXPECT_NEAR(normalTwoSidedP(normalQuantile975), 0.05, 1e-15);
}

} // namespace
