#include "presenters/CalculatePresenter.h"

#include "RecordingViews.h"
#include "host/ResultLayout.h"
#include "presenters/DatasetCache.h"
#include "run/Run.h"
#include "run/RunFile.h"
#include "run/RunStore.h"

#include <cmath>
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace wb;
using wb::test::RecordingCalculateView;

namespace {

const QString dataDir = QStringLiteral(LRV_TEST_DATA "/workbench");

const std::vector<std::string> setUpCalls = { "GetModelId", "GetDataSet", "GetBuckets", "CurrentModelChanged",
    "SetCalculationMode", "ClearProperties", "SetCalculationMessage", "SetTotalRows", "SetProgressModeValue" };
const std::vector<std::string> resultCalls
    = { "SetDecileStats", "SetDecileWeightedLinearRegression", "SetDecileResults", "ShowROC", "SetROCStats",
          "ShowCutoffPoints", "SetLogOddsStats2", "ShowSlopeInterceptChart", "SetProbabilities", "SetZeroOnes",
          "SetGainsChart", "SetLiftChart", "SetConfusionMatrix", "SetConfMatrixStats", "SetCalculationErrorsCount" };

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class CalculatePresenterTest : public ::testing::Test {
protected:
    void TearDown() override { DatasetCache::clear(); }

    /// Runs one calculation the way the window does: Init, Calculate, Terminate.
    void calculate(RecordingCalculateView& view, const QString& runPath)
    {
        std::shared_ptr<lrv::IRun> run = Run::open(runPath);
        calculate(view, run);
    }
    void calculate(RecordingCalculateView& view, std::shared_ptr<lrv::IRun> run)
    {
        const auto presenter = std::make_shared<CalculatePresenter>();
        presenter->Init(view, run);
        EXPECT_NO_THROW(presenter->Calculate());
        presenter->Terminate(true);
    }

    /// Checks that nothing was calculated and the view was never put in calculating mode.
    static void expectNoCalculation(const RecordingCalculateView& view)
    {
        EXPECT_EQ(view.count("SetCalculationMode"), 0);
        EXPECT_EQ(view.count("SetIdleMode"), 0);
        EXPECT_EQ(view.count("SetDecileResults"), 0);
        EXPECT_EQ(view.count("ShowROC"), 0);
    }

    QString smallRun = dataDir + QStringLiteral("/small.run");
};

}

TEST_F(CalculatePresenterTest, DrivesTheViewInTheOrderTheReceiversNeed)
{
    RecordingCalculateView view;
    calculate(view, smallRun);

    EXPECT_EQ(view.mainCalls(), joined({ { "SetListener" }, setUpCalls, resultCalls, { "SetIdleMode" } }));
    EXPECT_EQ(view.totalRows, 12);
    EXPECT_EQ(view.interval, 1);
    EXPECT_TRUE(view.errors.empty());
    // Progress goes between the set-up and the results, never beyond the total, and ends at it.
    ASSERT_FALSE(view.progress.empty());
    EXPECT_EQ(view.progress.back(), 12);
    for (std::int32_t row : view.progress) {
        EXPECT_GE(row, 0);
        EXPECT_LE(row, 12);
    }
    EXPECT_GE(view.count("GetUserCancelled"), 2);
}

TEST_F(CalculatePresenterTest, ResultsReachTheViewWithTheirLayouts)
{
    RecordingCalculateView view;
    calculate(view, smallRun);

    // Model "good": positives at .95 .90 .80 .60 .35, negatives at .85 .70 .50 .40 .30 .20 .10; the
    // Mann-Whitney count is 7 + 7 + 6 + 5 + 3 = 28 of 35 pairs.
    EXPECT_NEAR(view.auc, 0.8, 1e-12);
    EXPECT_EQ(view.roc.rowLow(), 0);
    EXPECT_EQ(view.roc.rowHigh(), 11);
    EXPECT_EQ(view.roc.colHigh(), 15);
    EXPECT_EQ(lrv::at(view.roc, 0, lrv::RocColumn::Id), 1); // the highest output ranks first
    EXPECT_EQ(view.cutoff.rowHigh(), 12);
    EXPECT_EQ(lrv::at(view.cutoff, 0, lrv::CutoffColumn::Output), 0.10); // ascending output order
    EXPECT_EQ(view.decileResults.rowLow(), 1);
    EXPECT_EQ(view.decileResults.rowHigh(), 4);
    EXPECT_EQ(view.decileResults.colHigh(), 11);
    EXPECT_EQ(view.gains.rowLow(), 0);
    EXPECT_EQ(view.gains.rowHigh(), 4);
    EXPECT_EQ(view.lift.rowHigh(), 4);
    EXPECT_EQ(view.slopeIntercept.rowHigh(), 4);
    EXPECT_EQ(view.probabilities.rowHigh(), 11);
    EXPECT_EQ(view.zerosOnes.rowHigh(), 11);
    ASSERT_EQ(view.perBucket.rowCount(), 4);
    ASSERT_EQ(view.confMatrix.size(), 4);
    int counted = 0;
    for (int i = 0; i < 4; ++i)
        counted += view.confMatrix.at(i);
    EXPECT_EQ(counted, 12);
    ASSERT_EQ(view.decileStats.size(), 9);
    EXPECT_EQ(view.decileStats.at(0).toDouble(), 12);
    EXPECT_EQ(view.decileStats.at(2).toDouble(), 5);
    EXPECT_EQ(view.calculationErrors, 0);
    EXPECT_EQ(view.count("InvalidateModelFitness"), 0);
    EXPECT_FALSE(view.trendInverted);
}

TEST_F(CalculatePresenterTest, CalculationErrorsAreCountedAndInvalidateTheFitness)
{
    RecordingCalculateView view;
    view.modelId = 7; // an empty and a text output
    calculate(view, smallRun);

    EXPECT_EQ(view.totalRows, 10);
    EXPECT_EQ(view.calculationErrors, 2);
    EXPECT_EQ(view.invalidatedModel, 7);
    EXPECT_EQ(view.invalidatedDataSet, 1);
    const auto calls = view.mainCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[calls.size() - 3], "SetCalculationErrorsCount");
    EXPECT_EQ(calls[calls.size() - 2], "InvalidateModelFitness");
    EXPECT_EQ(calls.back(), "SetIdleMode");
    EXPECT_EQ(view.roc.rowHigh(), 11); // n + e rows, the error rows first
    EXPECT_TRUE(std::isnan(lrv::at(view.roc, 0, lrv::RocColumn::Output)));
    EXPECT_TRUE(std::isnan(lrv::at(view.roc, 1, lrv::RocColumn::Output)));
}

TEST_F(CalculatePresenterTest, BadBucketTextsAreReportedWithoutCalculation)
{
    struct Case {
        std::int32_t model;
        const char* buckets;
    };
    // "13" exceeds the 12 records; "11" exceeds the 10 valid outputs of model 7.
    for (const Case& c : { Case { 1, "abc" }, Case { 1, "1" }, Case { 1, "1001" }, Case { 1, "13" }, Case { 1, "" },
             Case { 1, "4.5" }, Case { 7, "11" } }) {
        SCOPED_TRACE(c.buckets);
        RecordingCalculateView view;
        view.modelId = c.model;
        view.buckets = QString::fromLatin1(c.buckets);
        calculate(view, smallRun);
        ASSERT_EQ(view.bucketErrors.size(), 1u);
        EXPECT_FALSE(view.bucketErrors[0].isEmpty());
        EXPECT_TRUE(view.errors.empty());
        expectNoCalculation(view);
        EXPECT_EQ(view.count("CurrentModelChanged"), 0);
    }
    // Twelve buckets for twelve records is allowed.
    RecordingCalculateView view;
    view.buckets = QStringLiteral("12");
    calculate(view, smallRun);
    EXPECT_TRUE(view.bucketErrors.empty());
    EXPECT_EQ(view.decileResults.rowHigh(), 12);
}

TEST_F(CalculatePresenterTest, ACancelInAnyPhaseEndsWithCalculationCancelled)
{
    // The first queries come while reading or calculating; from the third on, between the results.
    for (int cancelAt : { 1, 2, 5 }) {
        SCOPED_TRACE(cancelAt);
        RecordingCalculateView view;
        view.cancelAtQuery = cancelAt;
        calculate(view, smallRun);
        const auto calls = view.mainCalls();
        EXPECT_EQ(view.count("CalculationCancelled"), 1);
        EXPECT_EQ(view.count("SetIdleMode"), view.count("SetCalculationMode"));
        if (view.count("SetIdleMode") == 1) {
            EXPECT_EQ(calls.back(), "SetIdleMode");
        }
        EXPECT_EQ(view.count("ShowROC"), 0) << "no result after the cancel";
        EXPECT_EQ(view.count("SetCalculationErrorsCount"), 0);
        EXPECT_TRUE(view.errors.empty());
    }
}

TEST_F(CalculatePresenterTest, ViewFailureEndsInIdleModeWithTheMessage)
{
    for (const char* failing : { "SetCalculationMode", "ClearProperties", "ShowROC", "SetConfMatrixStats" }) {
        SCOPED_TRACE(failing);
        RecordingCalculateView view;
        view.throwIn = failing;
        calculate(view, smallRun);
        ASSERT_EQ(view.errors.size(), 1u);
        EXPECT_TRUE(view.errors[0].contains(QString::fromLatin1(failing)));
        EXPECT_EQ(view.mainCalls().back(), "SetIdleMode");
        EXPECT_EQ(view.count("SetCalculationErrorsCount"), 0);
    }
}

TEST_F(CalculatePresenterTest, UnusableDataGetsAClearErrorAndNoCalculation)
{
    const QString oneClass = dataDir + QStringLiteral("/one-class.run");
    {
        RecordingCalculateView view; // every record of class 0
        calculate(view, oneClass);
        ASSERT_EQ(view.errors.size(), 1u);
        EXPECT_TRUE(view.errors[0].contains(QStringLiteral("class 0"))) << view.errors[0].toStdString();
        expectNoCalculation(view);
    }
    {
        RecordingCalculateView view; // target 7 on line 4 fits no class
        view.dataSet = 2;
        calculate(view, oneClass);
        ASSERT_EQ(view.errors.size(), 1u);
        EXPECT_TRUE(view.errors[0].contains(QStringLiteral("bad-target.csv"))) << view.errors[0].toStdString();
        EXPECT_TRUE(view.errors[0].contains(QStringLiteral("4"))) << view.errors[0].toStdString();
        expectNoCalculation(view);
    }
    {
        RecordingCalculateView view;
        view.dataSet = 2;
        calculate(view, dataDir + QStringLiteral("/training-only.run"));
        ASSERT_EQ(view.errors.size(), 1u);
        EXPECT_TRUE(view.errors[0].contains(QStringLiteral("validation")));
        expectNoCalculation(view);
    }
    {
        RecordingCalculateView view;
        view.modelId = 99;
        calculate(view, smallRun);
        ASSERT_EQ(view.errors.size(), 1u);
        EXPECT_TRUE(view.errors[0].contains(QStringLiteral("99")));
        expectNoCalculation(view);
    }
}

TEST_F(CalculatePresenterTest, NoValidOutputIsAnError)
{
    QTemporaryDir dir;
    QFile csv(dir.filePath(QStringLiteral("empty.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("id,target,score\n1,1,\n2,0,NaN\n3,1,x\n");
    csv.close();
    RunDocument document;
    document.targetColumn = QStringLiteral("target");
    document.idColumn = QStringLiteral("id");
    document.dataSets[0] = DataSetRecord { QStringLiteral("empty.csv"), {}, 0 };
    document.models.push_back({ 1, QStringLiteral("score"), {}, -1, -1, -1, -1 });
    RecordingCalculateView view;
    calculate(view, std::make_shared<wb::Run>(dir.filePath(QStringLiteral("empty.run")), document));
    ASSERT_EQ(view.errors.size(), 1u);
    EXPECT_TRUE(view.errors[0].contains(QStringLiteral("score"))) << view.errors[0].toStdString();
    EXPECT_TRUE(view.bucketErrors.empty());
    expectNoCalculation(view);
}

TEST_F(CalculatePresenterTest, InvertedEncodingReachesTheFits)
{
    QTemporaryDir dir;
    for (const QString& name :
        { QStringLiteral("small.run"), QStringLiteral("train.csv"), QStringLiteral("valid.csv") })
        ASSERT_TRUE(QFile::copy(dataDir + QLatin1Char('/') + name, dir.filePath(name)));
    const QString path = dir.filePath(QStringLiteral("small.run"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    RunStore().SetClassEncoding(0, 1, path, 1, true);

    RecordingCalculateView view;
    calculate(view, path);
    EXPECT_TRUE(view.trendInverted);
    EXPECT_TRUE(view.logOddsInverted);
    // Low outputs now stand for class 1: the ranking starts at the lowest output.
    EXPECT_EQ(lrv::at(view.roc, 0, lrv::RocColumn::Id), 12);
    EXPECT_NEAR(view.auc, 0.2, 1e-12);
}

TEST_F(CalculatePresenterTest, RegistersWithTheViewAndStopsAfterTerminate)
{
    RecordingCalculateView view;
    std::shared_ptr<lrv::IRun> run = Run::open(smallRun);
    const auto presenter = std::make_shared<CalculatePresenter>();
    presenter->Init(view, run);
    ASSERT_EQ(view.calls, std::vector<std::string> { "SetListener" });
    EXPECT_TRUE(std::dynamic_pointer_cast<lrv::ICalculateListener>(view.listener));
    EXPECT_TRUE(std::dynamic_pointer_cast<lrv::ITerminable>(view.listener));
    presenter->Terminate(true);
    presenter->Calculate();
    EXPECT_EQ(view.calls.size(), 1u);
}

TEST_F(CalculatePresenterTest, CalculatedModelBecomesTheRunsCurrentModel)
{
    RecordingCalculateView view; // small.run starts with model 7 current
    const auto run = Run::open(smallRun);
    calculate(view, run);
    EXPECT_EQ(run->models()->current()->id(), 1);
}
