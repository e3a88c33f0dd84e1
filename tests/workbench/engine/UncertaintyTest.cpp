// Calibration and the statistics around the AUC, against values worked out by hand.
#include "engine/Uncertainty.h"

#include "EngineTestRecords.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace wb::engine;
using wb::engine::test::TestRecords;

namespace {

constexpr double missing = std::numeric_limits<double>::quiet_NaN();

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
