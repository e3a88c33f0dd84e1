// DeLong's AUC interval and paired test against values worked out by hand (the property test holds the
// pairwise computation on random records).
#include "engine/Delong.h"

#include "EngineTestRecords.h"
#include "engine/Distributions.h"
#include "engine/RankedRecords.h"

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
    const TestRecords oneClass { { 0.5, 1 }, { missing, 0 } };
    EXPECT_THROW(delongPlacements(oneClass.view()), CalculationError);
    EXPECT_THROW(delongInterval(oneClass.view()), CalculationError);
}

TEST(Delong, PairedTestOfAModelWithItselfFindsNoDifference)
{
    const DelongPlacements a = delongPlacements(TestRecords { { 0.9, 1 }, { 0.7, 0 }, { 0.7, 1 }, { 0.2, 0 } }.view());
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
