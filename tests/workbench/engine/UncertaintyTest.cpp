// The statistics around the AUC (DeLong's interval and paired test, the chi-square tail) and calibration,
// against values worked out by hand (the property test holds the pairwise computation on random records).
#include "engine/Uncertainty.h"

#include "EngineTestRecords.h"
#include "engine/Delong.h"
#include "engine/Distributions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
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
    // A paired test needs the same records under both models.
    EXPECT_THROW(delongPairedTest(
                     delongPlacements(single.view()), delongPlacements(TestRecords { { 0.2, 0 }, { 0.8, 1 } }.view())),
        std::invalid_argument);
    const TestRecords oneClass { { 0.5, 1 }, { missing, 0 } };
    EXPECT_THROW(delongPlacements(oneClass.view()), CalculationError);
    EXPECT_THROW(delongInterval(oneClass.view()), CalculationError);
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

TEST(Uncertainty, ProbabilityOutputsWorkedOutByHand)
{
    // Six records in three buckets of two. P(1) = 0.9, 0.7 | 0.6, 0.4 | 0.2, 0.1 with classes 1, 1 | 0, 1 |
    // 0, 0: Brier (0.01 + 0.09 + 0.36 + 0.36 + 0.04 + 0.01) / 6; Hosmer–Lemeshow terms 0.16 / (1.6·0.2),
    // 0, 0.09 / (0.3·0.85) on one degree of freedom; AUC 8/9; TPR − FPR peaks at 2/3 after the second record.
    // Inverted, the outputs are P(0) and low ones rank first.
    const struct {
        const char* name;
        TestRecords records;
        double ksCutoff;
    } cases[] = {
        { "plain", { { 0.9, 1 }, { 0.7, 1 }, { 0.6, 0 }, { 0.4, 1 }, { 0.2, 0 }, { 0.1, 0 } }, 0.7 },
        { "inverted", { { { 0.1, 1 }, { 0.3, 1 }, { 0.4, 0 }, { 0.6, 1 }, { 0.8, 0 }, { 0.9, 0 } }, true }, 0.3 },
        { "errors left out",
            { { 0.9, 1 }, { missing, 0 }, { 0.7, 1 }, { 0.6, 0 }, { 0.4, 1 }, { 0.2, 0 }, { missing, 1 }, { 0.1, 0 } },
            0.7 },
    };
    const double statistic = 0.5 + 0.09 / 0.255;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Uncertainty u = assessUncertainty(analyse(c.records.view(), 3));
        EXPECT_EQ(u.probabilitySource, ProbabilitySource::Outputs);
        EXPECT_NEAR(u.brier, 0.87 / 6, 1e-15);
        EXPECT_NEAR(u.logLoss,
            -(std::log(0.9) + std::log(0.7) + std::log(0.4) + std::log(0.4) + std::log(0.8) + std::log(0.9)) / 6,
            1e-15);
        EXPECT_NEAR(u.hosmerLemeshow.statistic, statistic, 1e-14);
        EXPECT_EQ(u.hosmerLemeshow.degrees, 1);
        EXPECT_NEAR(u.hosmerLemeshow.p, std::erfc(std::sqrt(statistic / 2)), 1e-14);
        EXPECT_NEAR(u.auc.auc, 8.0 / 9, 1e-15);
        EXPECT_NEAR(u.gini, 7.0 / 9, 1e-15);
        EXPECT_NEAR(u.ks, 2.0 / 3, 1e-15);
        EXPECT_EQ(u.ksCutoff, c.ksCutoff);
        EXPECT_NEAR(u.meanProbability[0], 0.8, 1e-15);
        ASSERT_EQ(u.wilson95.size(), 3u);
        EXPECT_EQ(u.wilson95[1].low + u.wilson95[1].high, 1.0) << "one positive of two: symmetric about 1/2";
    }
}

TEST(Uncertainty, OutputsOutsideTheUnitRangeUseTheLogisticFit)
{
    TestRecords records { { 9, 1 }, { 7, 1 }, { 6, 0 }, { 4, 1 }, { 2, 0 }, { 1, 0 }, { 5, 0 }, { 8, 0 } };
    const Analysis a = analyse(records.view(), 4);
    const Uncertainty u = assessUncertainty(a);
    EXPECT_EQ(u.probabilitySource, ProbabilitySource::LogisticFit);
    double squares = 0;
    for (int row = a.probabilities->rowLow(); row <= a.probabilities->rowHigh(); ++row)
        squares += std::pow(lrv::at(*a.probabilities, row, lrv::ProbabilityColumn::ProbabilityOne)
                - lrv::at(*a.probabilities, row, lrv::ProbabilityColumn::Target),
            2);
    EXPECT_NEAR(u.brier, squares / 8, 1e-15);
    // Outputs that reach 0 and 1 are still probabilities.
    const TestRecords unit { { 1, 1 }, { 0.8, 0 }, { 0.3, 1 }, { 0, 0 } };
    EXPECT_EQ(assessUncertainty(analyse(unit.view(), 2)).probabilitySource, ProbabilitySource::Outputs);
}

TEST(Uncertainty, WilsonIntervalsEqualPublishedValues)
{
    const struct {
        int successes, total;
        double low, high;
    } cases[] = { { 0, 10, 0, 0.2775 }, { 1, 10, 0.0179, 0.4042 }, { 5, 10, 0.2366, 0.7634 }, { 10, 10, 0.7225, 1 },
        { 81, 263, 0.2553, 0.3662 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.successes << " of " << c.total);
        const Interval95 interval = wilsonInterval(c.successes, c.total);
        EXPECT_NEAR(interval.low, c.low, 5e-5);
        EXPECT_NEAR(interval.high, c.high, 5e-5);
    }
}

} // namespace
