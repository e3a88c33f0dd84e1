// CSV files a user may hand the workbench, calculated through the presenter as the analysis window does:
// each gives the message the user reads (or a sound result) and leaves the run file as it was.
#include "Scenario.h"

#include <gtest/gtest.h>

using wb::test::RecordingCalculateView;
using wb::test::Scenario;

namespace {

/// The view got results and no message.
void expectCalculated(const RecordingCalculateView& view, std::int32_t rows)
{
    EXPECT_TRUE(view.errors.empty()) << (view.errors.empty() ? "" : view.errors.front().toStdString());
    EXPECT_EQ(view.count("ShowROC"), 1);
    EXPECT_EQ(view.count("SetIdleMode"), 1);
    EXPECT_EQ(view.totalRows, rows);
}

/// Nothing was calculated: the window never left idle mode.
void expectRefused(const RecordingCalculateView& view)
{
    EXPECT_EQ(view.count("SetCalculationMode"), 0);
    EXPECT_EQ(view.count("ShowROC"), 0);
}

}

TEST(BadCsv, FilesWithoutRecordsAreRefusedWithTheirReason)
{
    {
        Scenario scenario("");
        const RecordingCalculateView view = scenario.calculate();
        EXPECT_EQ(Scenario::onlyError(view),
            scenario.csvPath() + ": the file is empty; a header row naming the columns is needed.");
        expectRefused(view);
        EXPECT_TRUE(scenario.runUnchanged());
    }
    {
        Scenario scenario("id,target,score\n");
        const RecordingCalculateView view = scenario.calculate();
        EXPECT_EQ(Scenario::onlyError(view),
            scenario.csvPath() + " has no records: below its header row there is no line of data.");
        expectRefused(view);
        EXPECT_TRUE(scenario.runUnchanged());
    }
}

TEST(BadCsv, AMissingTargetOrModelColumnIsNamed)
{
    for (const char* missing : { "target", "score" }) {
        const QByteArray header = QByteArray("id,target,score").replace(QByteArray(",") + missing, "");
        Scenario scenario(header + "\n1," + (missing == std::string("target") ? "0.5" : "1") + "\n");
        const RecordingCalculateView view = scenario.calculate();
        EXPECT_EQ(Scenario::onlyError(view),
            scenario.csvPath() + ", line 1: the header has no column \"" + missing
                + "\". Check the column names of the run against the file.");
        expectRefused(view);
        EXPECT_TRUE(scenario.runUnchanged());
    }
}

TEST(BadCsv, ATargetOutsideTheEncodingNamesLineColumnAndValue)
{
    Scenario scenario("id,target,score\n1,1,0.9\n2,2,0.5\n");
    const RecordingCalculateView view = scenario.calculate();
    EXPECT_EQ(Scenario::onlyError(view),
        scenario.csvPath()
            + ", line 3, column 2 (\"target\"): the target \"2\" is neither 0 (class 0) nor 1 (class 1) of the class "
              "encoding.");
    expectRefused(view);
    EXPECT_TRUE(scenario.runUnchanged());
}

TEST(BadCsv, LinesEndedByCrAloneAreCountedInMessages)
{
    Scenario scenario("id,target,score\r1,1,0.9\r\r2,2,0.5\r");
    const RecordingCalculateView view = scenario.calculate();
    EXPECT_EQ(Scenario::onlyError(view),
        scenario.csvPath()
            + ", line 4, column 2 (\"target\"): the target \"2\" is neither 0 (class 0) nor 1 (class 1) of the class "
              "encoding.");
    EXPECT_TRUE(scenario.runUnchanged());
}

TEST(BadCsv, RaggedRowsAndUnquotedCommaDecimalsAreCountedFields)
{
    {
        Scenario scenario("id,target,score\n1,1,0.9\n2,0\n");
        const RecordingCalculateView view = scenario.calculate();
        EXPECT_EQ(Scenario::onlyError(view),
            scenario.csvPath()
                + ", line 3: the row has 2 fields but the header has 3; every row needs one field per column.");
        expectRefused(view);
        EXPECT_TRUE(scenario.runUnchanged());
    }
    {
        // "0,95" written with a comma decimal splits into two fields.
        Scenario scenario("id,target,score\n1,1,0,95\n2,0,0,2\n");
        const RecordingCalculateView view = scenario.calculate();
        EXPECT_EQ(Scenario::onlyError(view),
            scenario.csvPath()
                + ", line 2: the row has 4 fields but the header has 3; every row needs one field per column.");
        EXPECT_TRUE(scenario.runUnchanged());
    }
}

TEST(BadCsv, SemicolonsAndTabsSeparateFieldsWhenTheHeaderUsesThem)
{
    for (const char* text :
        { "id;target;score\n1;1;0.9\n2;0;0.2\n", "\"id\"\t\"target\"\tscore\n1\t1\t0.9\n2\t0\t0.2\n" }) {
        SCOPED_TRACE(text);
        Scenario scenario(text);
        const RecordingCalculateView view = scenario.calculate();
        expectCalculated(view, 2);
        EXPECT_EQ(view.auc, 1.0);
    }
}

TEST(BadCsv, TextIdsRankTiesByTheirTextAndReachTheViewsAsWritten)
{
    Scenario scenario("id,target,score\nC9,1,0.5\nC10,0,0.5\nA1,1,0.9\n");
    const RecordingCalculateView view = scenario.calculate();
    expectCalculated(view, 3);
    // Ranking: output descending, the tie by id text ("C10" before "C9"); ascending order keeps the tie's order.
    const QStringList rocIds { view.roc.text(0, 0).value_or(""), view.roc.text(1, 0).value_or(""),
        view.roc.text(2, 0).value_or("") };
    EXPECT_EQ(rocIds, QStringList({ "A1", "C10", "C9" }));
    EXPECT_EQ(view.probabilities.text(0, 0), "C10");
    EXPECT_EQ(view.probabilities.text(2, 0), "A1");
}

TEST(BadCsv, QuotedCommaDecimalsAndNonFiniteOutputsAreCalculationErrors)
{
    Scenario scenario("id,target,score\n1,1,\"0,95\"\n2,1,nan\n3,0,inf\n4,0,\n5,1,-inf\n6,1,0.8\n7,0,0.3\n8,0,NaN\n");
    const RecordingCalculateView view = scenario.calculate();
    expectCalculated(view, 2);
    EXPECT_EQ(view.calculationErrors, 6);
    EXPECT_EQ(view.auc, 1.0);
    EXPECT_TRUE(scenario.runUnchanged());
}

TEST(BadCsv, QuotesBomAndCrLfAreReadAsTheirText)
{
    // Quoted separators, doubled quotes and a line break inside quotes stay in one field; ids keep their rows.
    const QByteArray text = "\xEF\xBB\xBF"
                            "id,note,target,score\r\n"
                            "1,\"a, b\",1,0.9\r\n"
                            "2,\"say \"\"hi\"\", then\r\nleave\",0,0.2\r\n"
                            "\r\n"
                            "3,plain,1,\" 0.7 \"\r\n"
                            "4,\"\",0,0.4";
    Scenario scenario(text);
    const RecordingCalculateView view = scenario.calculate();
    expectCalculated(view, 4);
    EXPECT_EQ(view.calculationErrors, 0);
    EXPECT_EQ(view.auc, 1.0);
    EXPECT_TRUE(scenario.runUnchanged());
}

TEST(BadCsv, ATenMegabyteLineIsQuotedShortInTheMessage)
{
    const QByteArray huge(10 * 1024 * 1024, 'x');
    Scenario scenario("id,target,score\n1,1,0.9\n2," + huge + ",0.1\n");
    const RecordingCalculateView view = scenario.calculate();
    EXPECT_EQ(Scenario::onlyError(view),
        scenario.csvPath() + ", line 3, column 2 (\"target\"): the target \"" + QString(40, QLatin1Char('x'))
            + "…\" is neither 0 (class 0) nor 1 (class 1) of the class encoding.");
    expectRefused(view);
    EXPECT_TRUE(scenario.runUnchanged());

    // The same line as an output is one calculation error, not a failure.
    Scenario asOutput("id,target,score\n1,1,0.9\n2,0," + huge + "\n3,0,0.2\n");
    const RecordingCalculateView calculated = asOutput.calculate();
    expectCalculated(calculated, 2);
    EXPECT_EQ(calculated.calculationErrors, 1);
}

TEST(BadCsv, OneClassOrOneRecordHasNothingToAnalyse)
{
    {
        Scenario scenario("id,target,score\n1,1,0.9\n2,1,0.5\n3,1,0.1\n4,0,\n");
        const RecordingCalculateView view = scenario.calculate();
        EXPECT_EQ(Scenario::onlyError(view),
            "There is nothing to analyse for model 1 in the training dataset: all 3 records with a valid output are "
            "of class 1, and the analysis needs both classes. Check the class encoding.");
        expectRefused(view);
        EXPECT_TRUE(scenario.runUnchanged());
    }
    {
        Scenario scenario("id,target,score\n1,0,0.4\n");
        const RecordingCalculateView view = scenario.calculate();
        EXPECT_EQ(Scenario::onlyError(view),
            "There is nothing to analyse for model 1 in the training dataset: all 1 records with a valid output are "
            "of class 0, and the analysis needs both classes. Check the class encoding.");
        expectRefused(view);
        EXPECT_TRUE(scenario.runUnchanged());
    }
}

TEST(BadCsv, EqualOutputsRankNoBetterThanChance)
{
    Scenario scenario("id,target,score\n1,1,0.5\n2,0,0.5\n3,1,0.5\n4,0,0.5\n5,0,0.5\n6,1,0.5\n");
    const RecordingCalculateView view = scenario.calculate(QStringLiteral("3"));
    expectCalculated(view, 6);
    EXPECT_EQ(view.calculationErrors, 0);
    EXPECT_DOUBLE_EQ(view.auc, 0.5);
    EXPECT_TRUE(scenario.runUnchanged());
}
