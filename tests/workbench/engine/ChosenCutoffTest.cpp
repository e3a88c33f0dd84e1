#include "engine/ChosenCutoff.h"

#include "EngineTestRecords.h"
#include "engine/ProgressMeter.h"
#include "engine/RankedRecords.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace wb::engine;
using wb::engine::test::TestRecords;

namespace {

// Ranked by output: 0.9 (1), 0.8 (1), 0.7 (0) and 0.7 (1) tied, 0.5 (0), 0.3 (1), 0.2 (0), 0.1 (0); P = N = 4.
TestRecords records(bool inverted = false)
{
    return TestRecords(
        { { 0.9, 1 }, { 0.8, 1 }, { 0.7, 0 }, { 0.7, 1 }, { 0.5, 0 }, { 0.3, 1 }, { 0.2, 0 }, { 0.1, 0 } }, inverted);
}

ChosenCutoff choose(const std::string& rule, bool inverted = false, double logistic = 0.6)
{
    const TestRecords data = records(inverted);
    const ProgressFunction none;
    ProgressMeter meter(none, std::int64_t(data.outputs.size()), 2);
    const auto ranked = RankedRecords::build(data.view(), meter);
    // The youden rule takes the analysis' cutoff: 0.8 is these records' optimum (J = 0.5, the first of three
    // groups with it); for the inverted ranking the test hands it 0.3.
    return chooseCutoff(*rankedGroups(ranked), parseCutoffRule(rule), inverted ? 0.3 : 0.8, logistic);
}

struct Expected {
    const char* rule;
    bool inverted;
    double cutoff;
    std::int64_t tp, fp, tn, fn;
};

} // namespace

TEST(ChosenCutoff, EveryRuleOnTiedOutputsWorkedByHand)
{
    const Expected cases[] = {
        { "youden", false, 0.8, 2, 0, 4, 2 },
        { "logistic", false, 0.6, 3, 1, 3, 1 }, // not an output: the records at or above 0.6
        { "sensitivity=0.75", false, 0.7, 3, 1, 3, 1 }, // both tied records are predicted class 1
        { "Sensitivity = 0.8", false, 0.3, 4, 2, 2, 0 },
        { "specificity=1", false, 0.8, 2, 0, 4, 2 },
        { "top=30%", false, 0.7, 3, 1, 3, 1 }, // rank ceil(2.4) = 3 lies in the tie: both records count
        { "top=12.5%", false, 0.9, 1, 0, 4, 3 }, // 1 exactly, not rounded up to 2
        { "cost=1:1", false, 0.8, 2, 0, 4, 2 }, // three thresholds cost 2: the highest wins
        { "0.75", false, 0.75, 2, 0, 4, 2 },
        { "2", false, 2, 0, 0, 4, 4 },
        { "-1", false, -1, 4, 4, 0, 0 },
        // Inverted: ranking ascending, a record is predicted class 1 at or below the cutoff.
        { "youden", true, 0.3, 1, 2, 2, 3 },
        { "sensitivity=0.5", true, 0.7, 2, 4, 0, 2 },
        { "top=25%", true, 0.2, 0, 2, 2, 4 },
        { "0.25", true, 0.25, 0, 2, 2, 4 },
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(std::string(e.rule) + (e.inverted ? " inverted" : ""));
        const ChosenCutoff c = choose(e.rule, e.inverted);
        EXPECT_DOUBLE_EQ(c.cutoff, e.cutoff);
        EXPECT_EQ(c.tp, e.tp);
        EXPECT_EQ(c.fp, e.fp);
        EXPECT_EQ(c.tn, e.tn);
        EXPECT_EQ(c.fn, e.fn);
    }
}

TEST(ChosenCutoff, MeasuresFollowTheMatrix)
{
    const ChosenCutoff c = choose("sensitivity=0.75"); // TP 3, FP 1, TN 3, FN 1
    EXPECT_DOUBLE_EQ(c.sensitivity, 0.75);
    EXPECT_DOUBLE_EQ(c.specificity, 0.75);
    EXPECT_DOUBLE_EQ(c.ppv, 0.75);
    EXPECT_DOUBLE_EQ(c.npv, 0.75);
    EXPECT_DOUBLE_EQ(c.accuracy, 0.75);
    EXPECT_DOUBLE_EQ(c.f1, 0.75);
    EXPECT_DOUBLE_EQ(c.mcc, 0.5); // (9 − 1) / √(4·4·4·4)
    EXPECT_TRUE(std::isnan(c.expectedCost));
    EXPECT_DOUBLE_EQ(choose("cost=1:3").expectedCost, 2);

    const ChosenCutoff none = choose("2"); // nothing predicted class 1: PPV and MCC have no value
    EXPECT_TRUE(none.outsideOutputs);
    EXPECT_TRUE(std::isnan(none.ppv));
    EXPECT_TRUE(std::isnan(none.mcc));
    EXPECT_FALSE(choose("0.75").outsideOutputs);
}

TEST(ChosenCutoff, RulesThatCannotBeMetSayWhatIsAllowed)
{
    for (const char* rule : { "sensitivity=1.5", "specificity=-0.1", "top=0%", "top=101%", "cost=-1:2", "cost=0:0",
             "cost=1", "abc", "", "nan", "sensitivity=" }) {
        SCOPED_TRACE(rule);
        try {
            parseCutoffRule(rule);
            ADD_FAILURE() << "accepted";
        } catch (const CalculationError& error) {
            EXPECT_NE(std::string(error.what()).find("Allowed: youden, logistic"), std::string::npos) << error.what();
        }
    }
    // The strictest threshold of the inverted ranking (0.1) already predicts a negative as class 1.
    EXPECT_THROW(choose("specificity=1", true), CalculationError);
    EXPECT_THROW(choose("logistic", false, -99999), CalculationError);
}
