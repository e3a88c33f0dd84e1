#include "engine/Analysis.h"

#include "EngineTestRecords.h"
#include "engine/WeightedFit.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace wb::engine;
using wb::engine::test::TestRecords;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

void expectRow(const CellTable& table, int r, const std::vector<double>& expected)
{
    ASSERT_EQ(table.colHigh() - table.colLow() + 1, int(expected.size()));
    for (int c = 0; c < int(expected.size()); ++c) {
        const double actual = table.at(r, table.colLow() + c);
        if (std::isnan(expected[std::size_t(c)]))
            EXPECT_TRUE(std::isnan(actual)) << "row " << r << " column " << c;
        else
            EXPECT_NEAR(actual, expected[std::size_t(c)], 1e-12) << "row " << r << " column " << c;
    }
}

} // namespace

TEST(Analysis, TiedRecordsWorkedOutByHand)
{
    // 0.9 (1), 0.5 (1), 0.5 (0), 0.1 (0), then two calculation errors: id 5 (class 1, NaN), id 6 (class 0, inf).
    const TestRecords records({ { 0.9, 1 }, { 0.5, 1 }, { 0.5, 0 }, { 0.1, 0 }, { notANumber, 1 }, { infinity, 0 } });
    const Analysis a = analyse(records.view(), 2);
    EXPECT_EQ(a.validRecords, 4);
    EXPECT_EQ(a.calculationErrors, 2);
    const CellTable& roc = *a.rocResults;
    ASSERT_EQ(roc.rowLow(), 0);
    ASSERT_EQ(roc.rowHigh(), 5);
    ASSERT_EQ(roc.colHigh(), lrv::index(lrv::RocColumn::Last));
    expectRow(roc, 0, { 5, 1, notANumber, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, -1, 0, -1 });
    expectRow(roc, 1, { 6, 0, notANumber, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, -1, 0, -1 });
    // At the optimum only id 1 is predicted class 1.
    expectRow(roc, 2, { 1, 1, 0.9, 1, 2, 0, 1, 1, 0.5, 0, 0.5, 0.5, 0, 1, 1, 0 });
    // Ids 2 and 3 tie at 0.5: both carry the group's counts (TP 2, FP 1), so they are one point.
    expectRow(roc, 3, { 2, 1, 0.5, 2, 1, 1, 0, 0.5, 1, 0.5, 0, 0.5, 0, 0, 0, 3 });
    expectRow(roc, 4, { 3, 0, 0.5, 2, 1, 1, 0, 0.5, 1, 0.5, 0, 0.5, 0, 0, 1, 1 });
    expectRow(roc, 5, { 4, 0, 0.1, 2, 0, 2, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1 });

    // Pairs (1,3) 1, (1,4) 1, (2,3) tied ½, (2,4) 1 of 4.
    EXPECT_DOUBLE_EQ(a.auc, 0.875);
    // J = 0.5 at 0.9 and at the tie group 0.5: the first in ranking order wins.
    EXPECT_EQ(a.thresholdId, 1);
    const std::array<double, 16> rocStats = { 0.875, 0.5, 0.9, 3, 1, 4, 1, 2, 0, 1, 0.5, 1, 0, 0.5, 1, 2.0 / 3 };
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(a.rocStats[k], rocStats[k], 1e-12) << k;
    EXPECT_EQ(a.rocCounts, (std::array<std::int32_t, 4> { 1, 2, 0, 1 }));
    ASSERT_EQ(a.rocPerBucket.size(), 2u);
    EXPECT_EQ(a.rocPerBucket[0], (std::array<std::int32_t, 4> { 1, 0, 0, 1 }));
    EXPECT_EQ(a.rocPerBucket[1], (std::array<std::int32_t, 4> { 0, 2, 0, 0 }));
    EXPECT_DOUBLE_EQ(lrv::at(a.rocMatrixStats, lrv::MatrixStat::Youden), 0.5);
    EXPECT_DOUBLE_EQ(lrv::at(a.rocMatrixStats, lrv::MatrixStat::Cutoff), 0.9);

    const CellTable& d = *a.decileResults;
    ASSERT_EQ(d.rowLow(), 1);
    ASSERT_EQ(d.rowHigh(), 2);
    expectRow(d, 1, { 1, 0.9, 0.5, 2, 0, 2, 1, 100, 0, 0, 2, 100 });
    expectRow(d, 2, { 2, 0.5, 0.1, 0, 2, 2, 0, 0, 1, 100, 2, 100 });
    // Positive % 100 at x 0.9 and 0 at x 0.5.
    EXPECT_NEAR(a.trendSlope, 250, 1e-9);
    EXPECT_NEAR(a.trendIntercept, -125, 1e-9);
    EXPECT_NEAR(a.trendRSquare, 1, 1e-12);
    const std::array<double, 9> stats = { 4, 2, 2, 2, 0.5, 2, 1, 0, 1 };
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(a.decileStats[k], stats[k], 1e-12) << k;

    const double ln5 = std::log(5.0);
    // Buckets of one class: odds (2 + ½)/(0 + ½) = 5 and its inverse, log odds ±ln 5.
    const CellTable& s = *a.slopeIntercept;
    expectRow(s, 1, { 1, 0.9, 0.5, 2, 0, 2, 100, 0, 5, ln5, ln5 });
    expectRow(s, 2, { 2, 0.5, 0.1, 0, 2, 2, 0, 100, 0.2, -ln5, -ln5 });
    EXPECT_NEAR(a.logOddsSlope, 5 * ln5, 1e-9);
    EXPECT_NEAR(a.logOddsIntercept, -3.5 * ln5, 1e-9);
    EXPECT_NEAR(a.logOddsRSquare, 1, 1e-12);
    EXPECT_NEAR(a.logisticCutoff, 0.7, 1e-12);

    // Error rows first, then ascending output with the tie 0.5 in id order (2 before 3).
    const CellTable& p = *a.probabilities;
    ASSERT_EQ(p.rowHigh(), 5);
    expectRow(p, 0, { 5, 1, notANumber, notANumber, notANumber, notANumber, notANumber, 0, 0, 1 });
    expectRow(p, 1, { 6, 0, notANumber, notANumber, notANumber, notANumber, notANumber, 0, 0, 1 });
    expectRow(p, 2, { 4, 0, 0.1, -3 * ln5, 1.0 / 125, 1.0 / 126, 125.0 / 126, 0, 1, 0 });
    expectRow(p, 3, { 2, 1, 0.5, -ln5, 0.2, 1.0 / 6, 5.0 / 6, 0, 0, 0 });
    expectRow(p, 4, { 3, 0, 0.5, -ln5, 0.2, 1.0 / 6, 5.0 / 6, 0, 1, 0 });
    expectRow(p, 5, { 1, 1, 0.9, ln5, 5, 5.0 / 6, 1.0 / 6, 1, 1, 0 });

    const CellTable& z = *a.zerosOnes;
    ASSERT_EQ(z.rowHigh(), 3);
    expectRow(z, 0, { 0, 0.1, 0 });
    expectRow(z, 1, { 1, 0.5, 1 });
    expectRow(z, 2, { 0, 0.5, 0 });
    expectRow(z, 3, { 1, 0.9, 1 });

    EXPECT_EQ(a.logisticCounts, (std::array<std::int32_t, 4> { 1, 2, 0, 1 }));
    EXPECT_EQ(a.logisticPerBucket[0], (std::array<std::int32_t, 4> { 1, 0, 0, 1 }));
    EXPECT_EQ(a.logisticPerBucket[1], (std::array<std::int32_t, 4> { 0, 2, 0, 0 }));
    const std::array<double, 14> matrixStats = { 3, 1, 4, 1, 1, 0, 2, 0.75, 0.5, 0.5, 0, 1, 1, 2.0 / 3 };
    for (int k = 0; k < 14; ++k)
        EXPECT_NEAR(a.logisticMatrixStats[k], matrixStats[k], 1e-12) << k;

    const CellTable& c = *a.cutoffPoints;
    ASSERT_EQ(c.rowHigh(), 4);
    expectRow(c, 0, { 0.1, 1, 0, 1, 0 });
    expectRow(c, 1, { 0.5, 1, 0.5, 0.5, 0 });
    expectRow(c, 2, { 0.5, 1, 0.5, 0.5, 0 });
    expectRow(c, 3, { 0.9, 0.5, 1, 0, 0.5 });
    expectRow(c, 4, { 0.9, 0.5, 1, 0, 0.5 });

    const CellTable& g = *a.gains;
    ASSERT_EQ(g.rowLow(), 0);
    expectRow(g, 0, std::vector<double>(14, 0.0));
    expectRow(g, 1, { 1, 0.9, 0.5, 0, 2, 1, 2, 2, 1, 100, 2, 0, 2, 50 });
    expectRow(g, 2, { 2, 0.5, 0.1, 2, 0, 0, 0, 2, 0.5, 100, 1, 2, 2, 100 });
    // (0,0) → (0.5,1) → (1,1); a perfect ranking reaches the ideal area 1 − 0.5/2.
    EXPECT_NEAR(a.gainsArea, 0.75, 1e-12);
    EXPECT_NEAR(a.gainsRankingQuality, 1, 1e-12);

    const CellTable& l = *a.lift;
    ASSERT_EQ(l.rowLow(), 1);
    expectRow(l, 1, { 50, 1, 2, 2, 2 });
    expectRow(l, 2, { 100, 1, 2, 0, 1 });
    EXPECT_NEAR(lrv::at(a.liftStats, lrv::LiftStat::AreaBetweenCurves), 0.25, 1e-12);
    EXPECT_NEAR(lrv::at(a.liftStats, lrv::LiftStat::CumulativeLiftArea), 0.75, 1e-12);
    EXPECT_NEAR(lrv::at(a.liftStats, lrv::LiftStat::LiftArea), 0.5, 1e-12);
    EXPECT_NEAR(lrv::at(a.liftStats, lrv::LiftStat::RankingQuality), 1, 1e-12);
}

TEST(Analysis, InvertedClassesRankAscendingAndFitOnLowerBoundaries)
{
    // The mirror of the tied records: class 1 has the low outputs.
    const TestRecords records({ { 0.1, 1 }, { 0.5, 1 }, { 0.5, 0 }, { 0.9, 0 } }, true);
    const Analysis a = analyse(records.view(), 2);
    EXPECT_TRUE(a.inverted);
    EXPECT_DOUBLE_EQ(lrv::at(a.rocStats, lrv::RocStat::Cutoff), 0.1);
    expectRow(*a.decileResults, 1, { 1, 0.5, 0.1, 2, 0, 2, 1, 100, 0, 0, 2, 100 });
    // x = lower boundaries 0.1 and 0.5.
    EXPECT_NEAR(a.trendSlope, -250, 1e-9);
    EXPECT_NEAR(a.trendIntercept, 125, 1e-9);
    const double ln5 = std::log(5.0);
    EXPECT_NEAR(a.logOddsSlope, -5 * ln5, 1e-9);
    EXPECT_NEAR(a.logOddsIntercept, 1.5 * ln5, 1e-9);
    EXPECT_NEAR(a.logisticCutoff, 0.3, 1e-12);
    // Ascending output order is the ranking itself.
    expectRow(*a.probabilities, 0, { 1, 1, 0.1, ln5, 5, 5.0 / 6, 1.0 / 6, 1, 1, 0 });
    expectRow(*a.cutoffPoints, 0, { 0.1, 0.5, 1, 0, 0.5 });
    expectRow(*a.cutoffPoints, 3, { 0.9, 1, 0, 1, 0 });
    EXPECT_EQ(a.logisticCounts, (std::array<std::int32_t, 4> { 1, 2, 0, 1 }));
}

TEST(Analysis, BucketsWhenRecordsAreNotAMultiple)
{
    // Seven records in three buckets: floor(3r/7) + 1 gives sizes 3, 2, 2.
    const TestRecords records({ { 7, 1 }, { 6, 0 }, { 5, 1 }, { 4, 0 }, { 3, 1 }, { 2, 0 }, { 1, 0 } });
    const Analysis a = analyse(records.view(), 3);
    const CellTable& d = *a.decileResults;
    expectRow(d, 1, { 1, 7, 5, 2, 1, 3, 2.0 / 3, 200.0 / 3, 1.0 / 3, 100.0 / 3, 2, 200.0 / 3 });
    expectRow(d, 2, { 2, 4, 3, 1, 1, 2, 0.5, 50, 0.5, 50, 3, 100 });
    expectRow(d, 3, { 3, 2, 1, 0, 2, 2, 0, 0, 1, 100, 3, 100 });
    // Middle bucket ⌈3/2⌉ = 2.
    EXPECT_NEAR(lrv::at(a.decileStats, lrv::DecileStat::SpreadTopToMiddle), 2.0 / 3 - 0.5, 1e-12);
    EXPECT_NEAR(lrv::at(a.decileStats, lrv::DecileStat::SpreadMiddleToBottom), 0.5 / (2.0 / 3), 1e-12);
    expectRow(*a.lift, 1, { 300.0 / 7, 1, 7.0 / 3, (2.0 / 3) / (3.0 / 7), (2.0 / 3) / (3.0 / 7) });
}

TEST(Analysis, OneTieGroupLeavesTheFitsUndefined)
{
    // Every output equal: both buckets have the same x, so no line can be fitted.
    const TestRecords records({ { 0.3, 1 }, { 0.3, 0 }, { 0.3, 0 }, { 0.3, 0 } });
    const Analysis a = analyse(records.view(), 2);
    for (const double undefined : { a.trendSlope, a.trendIntercept, a.trendRSquare, a.logOddsSlope, a.logOddsIntercept,
             a.logOddsRSquare, lrv::at(*a.slopeIntercept, 1, lrv::LogOddsColumn::FittedLogOdds),
             lrv::at(*a.slopeIntercept, 2, lrv::LogOddsColumn::FittedLogOdds) })
        EXPECT_EQ(undefined, -9999);
    EXPECT_EQ(a.logisticCutoff, -99999);
    // One point (1,1): the diagonal, and the whole group is predicted class 1 at its cutoff.
    EXPECT_DOUBLE_EQ(a.auc, 0.5);
    EXPECT_EQ(a.thresholdId, 1);
    // The intercept-only model: P(1) is the overall rate 1/4 for every record.
    for (int r = 0; r < 4; ++r) {
        EXPECT_NEAR(lrv::at(*a.probabilities, r, lrv::ProbabilityColumn::ProbabilityOne), 0.25, 1e-12);
        EXPECT_EQ(lrv::at(*a.probabilities, r, lrv::ProbabilityColumn::MostLikelyClass), 0);
    }
    EXPECT_EQ(a.logisticCounts, (std::array<std::int32_t, 4> { 0, 3, 0, 1 }));
    // Equal x whose weighted mean rounds away from them (0.1 · 3 / 3) fit no line either.
    EXPECT_FALSE(WeightedFit::compute({ 0.1, 0.1, 0.1 }, { 0, 1, 2 }, { 1, 1, 1 }).defined);
}

TEST(Analysis, FlatLogOddsGiveNoLogisticCutoff)
{
    // Both buckets have rate ½: slope 0, so no cutoff point, and no variation for an R².
    const TestRecords records({ { 0.9, 1 }, { 0.8, 0 }, { 0.2, 1 }, { 0.1, 0 } });
    const Analysis a = analyse(records.view(), 2);
    EXPECT_NEAR(a.logOddsSlope, 0, 1e-12);
    EXPECT_EQ(a.logisticCutoff, -99999);
    EXPECT_EQ(a.logOddsRSquare, -9999);
    // P(1) = ½ everywhere: class 1 for every record.
    EXPECT_EQ(a.logisticCounts, (std::array<std::int32_t, 4> { 2, 0, 2, 0 }));
    // Spread middle to bottom divides by rate(1) − rate(B) = 0.
    EXPECT_TRUE(std::isnan(lrv::at(a.decileStats, lrv::DecileStat::SpreadMiddleToBottom)));
}

TEST(Analysis, DegenerateDatasetsAreCalculationErrors)
{
    const struct {
        TestRecords records;
        int buckets;
        const char* message;
    } cases[] = {
        { { { 0.9, 0 }, { 0.5, 0 }, { notANumber, 1 } }, 2, "only class 0" },
        { { { notANumber, 0 }, { infinity, 1 } }, 2, "no valid output" },
        { { { 0.9, 1 }, { 0.1, 0 } }, 3, "" },
        { {}, 2, "" },
    };
    for (const auto& c : cases) {
        try {
            analyse(c.records.view(), c.buckets);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const CalculationError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(Buckets, ParseAcceptsWholeNumbersWithinRange)
{
    EXPECT_EQ(parseBuckets(" 2 ", 100), 2);
    EXPECT_EQ(parseBuckets("1000", 5000), 1000);
    EXPECT_EQ(parseBuckets("7", 7), 7);
    for (const auto& [text, records] : { std::pair { "abc", 5000 }, { "1", 5000 }, { "1001", 5000 }, { "", 5000 },
             { "2.5", 5000 }, { "10x", 5000 }, { "-3", 5000 }, { "8", 7 } }) {
        try {
            parseBuckets(text, records);
            ADD_FAILURE() << text << " accepted";
        } catch (const CalculationError& error) {
            EXPECT_EQ(std::string(error.what()),
                "The number of buckets must be a whole number from 2 to " + std::to_string(std::min(records, 1000))
                    + ".");
        }
    }
}

TEST(Fitness, PerfectSeparationAndNoSignal)
{
    TestRecords separated;
    for (int i = 0; i < 100; ++i) {
        separated.ids.push_back(i + 1);
        separated.classes.push_back(i < 50 ? 0 : 1);
        separated.outputs.push_back(i / 100.0);
    }
    const Fitness good = computeFitness(separated.view());
    EXPECT_GT(good.rSquare, 0.5);
    EXPECT_LE(good.rSquare, 1.0);
    // The line through ±ln 19 per bucket crosses zero at the mean bucket x, a few records off the class edge.
    EXPECT_GT(good.accuracy, 90.0);

    const TestRecords flat({ { 0.3, 1 }, { 0.3, 0 }, { 0.3, 0 }, { 0.3, 0 } });
    const Fitness none = computeFitness(flat.view());
    EXPECT_EQ(none.rSquare, 0);
    EXPECT_DOUBLE_EQ(none.accuracy, 75.0);

    const Fitness degenerate = computeFitness(TestRecords({ { 0.3, 1 }, { 0.2, 1 } }).view());
    EXPECT_LT(degenerate.rSquare, 0);
    EXPECT_LT(degenerate.accuracy, 0);
}
