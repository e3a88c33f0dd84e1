#include "presenters/CalculatePresenter.h"

#include "RecordingViews.h"
#include "host/ResultLayout.h"
#include "presenters/DatasetCache.h"
#include "run/Run.h"

#include <gtest/gtest.h>

using namespace wb;
using wb::test::RecordingCalculateView;

namespace {

const QString dataDir = QStringLiteral(LRV_TEST_DATA "/workbench");
const QString smallRun = dataDir + "/small.run";

class CalculatePresenterTest : public ::testing::Test {
protected:
    void TearDown() override { DatasetCache::clear(); }

    /// One calculation the way the window runs it: Init, Calculate, Terminate.
    static void calculate(RecordingCalculateView& view, std::shared_ptr<lrv::IRun> run)
    {
        const auto presenter = std::make_shared<CalculatePresenter>();
        presenter->Init(view, run);
        EXPECT_NO_THROW(presenter->Calculate());
        presenter->Terminate(true);
    }
    static RecordingCalculateView calculate(
        std::int32_t model, const char* buckets = "4", std::int16_t dataSet = 1, const QString& run = smallRun)
    {
        RecordingCalculateView view;
        view.modelId = model;
        view.buckets = QLatin1String(buckets);
        view.dataSet = dataSet;
        calculate(view, Run::open(run));
        return view;
    }

    /// Nothing was calculated and the view never left idle mode.
    static void expectNoCalculation(const RecordingCalculateView& view)
    {
        for (const char* call : { "SetCalculationMode", "SetIdleMode", "SetDecileResults", "ShowROC" })
            EXPECT_EQ(view.count(call), 0) << call;
    }
};

} // namespace

TEST_F(CalculatePresenterTest, DrivesTheViewInTheOrderTheReceiversNeed)
{
    RecordingCalculateView view;
    const auto run = Run::open(smallRun); // model 7 is current
    std::shared_ptr<lrv::IRun> handle = run;
    const auto presenter = std::make_shared<CalculatePresenter>();
    presenter->Init(view, handle);
    EXPECT_TRUE(std::dynamic_pointer_cast<lrv::ICalculateListener>(view.listener));
    EXPECT_TRUE(std::dynamic_pointer_cast<lrv::ITerminable>(view.listener));
    presenter->Calculate();
    EXPECT_EQ(view.mainCalls(),
        (std::vector<std::string> { "SetListener", "GetModelId", "GetDataSet", "GetBuckets", "CurrentModelChanged",
            "SetCalculationMode", "ClearProperties", "SetCalculationMessage", "SetTotalRows", "SetProgressModeValue",
            "SetDecileStats", "SetDecileWeightedLinearRegression", "SetDecileResults", "SetCalibration",
            "SetUncertaintyStats", "ShowROC", "SetROCStats", "ShowCutoffPoints", "SetLogOddsStats2",
            "ShowSlopeInterceptChart", "SetProbabilities", "SetZeroOnes", "SetGainsChart", "SetLiftChart",
            "SetConfusionMatrix", "SetConfMatrixStats", "SetCalculationErrorsCount", "SetIdleMode" }));
    EXPECT_EQ(run->models()->current()->id(), 1) << "the calculated model becomes the run's current model";
    EXPECT_EQ(view.totalRows, 12);
    EXPECT_TRUE(view.errors.empty());
    // Progress never goes beyond the total, and ends at it.
    ASSERT_FALSE(view.progress.empty());
    EXPECT_EQ(view.progress.back(), 12);
    EXPECT_TRUE(std::all_of(view.progress.begin(), view.progress.end(), [](int row) { return row >= 0 && row <= 12; }));
    EXPECT_GE(view.count("GetUserCancelled"), 2);

    // Model "good": positives at .95 .90 .80 .60 .35, negatives at .85 .70 .50 .40 .30 .20 .10; the
    // Mann-Whitney count is 7 + 7 + 6 + 5 + 3 = 28 of 35 pairs.
    EXPECT_NEAR(view.auc, 0.8, 1e-12);
    EXPECT_EQ(lrv::at(view.roc, 0, lrv::RocColumn::Id), 1); // the highest output ranks first
    EXPECT_EQ(view.calculationErrors, 0);
    EXPECT_EQ(view.count("InvalidateModelFitness"), 0);

    // After Terminate the presenter calculates nothing more.
    const std::size_t calls = view.calls.size();
    presenter->Terminate(true);
    presenter->Calculate();
    EXPECT_EQ(view.calls.size(), calls);
}

TEST_F(CalculatePresenterTest, CalculationErrorsAreCountedAndInvalidateTheFitness)
{
    const RecordingCalculateView view = calculate(7); // an empty and a text output
    EXPECT_EQ(view.totalRows, 10);
    EXPECT_EQ(view.calculationErrors, 2);
    EXPECT_EQ(view.invalidatedModel, 7);
    EXPECT_EQ(view.invalidatedDataSet, 1);
    const auto calls = view.mainCalls();
    EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()),
        (std::vector<std::string> { "SetCalculationErrorsCount", "InvalidateModelFitness", "SetIdleMode" }));
}

TEST_F(CalculatePresenterTest, BadBucketTextsAreReportedWithoutCalculation)
{
    // "13" exceeds the 12 records; "11" exceeds the 10 valid outputs of model 7.
    for (const auto& [model, buckets] :
        { std::pair { 1, "abc" }, { 1, "1" }, { 1, "1001" }, { 1, "13" }, { 1, "" }, { 1, "4.5" }, { 7, "11" } }) {
        SCOPED_TRACE(buckets);
        const RecordingCalculateView view = calculate(model, buckets);
        ASSERT_EQ(view.bucketErrors.size(), 1u);
        EXPECT_FALSE(view.bucketErrors[0].isEmpty());
        EXPECT_TRUE(view.errors.empty());
        expectNoCalculation(view);
        EXPECT_EQ(view.count("CurrentModelChanged"), 0);
    }
    // Twelve buckets for twelve records is allowed.
    const RecordingCalculateView view = calculate(1, "12");
    EXPECT_TRUE(view.bucketErrors.empty());
    EXPECT_EQ(view.decileResults.rowHigh(), 12);
}

TEST_F(CalculatePresenterTest, ACancelOrAFailingViewEndsInIdleMode)
{
    // The first queries come while reading or calculating; from the third on, between the results.
    for (int cancelAt : { 1, 2, 5 }) {
        SCOPED_TRACE(cancelAt);
        RecordingCalculateView view;
        view.cancelAtQuery = cancelAt;
        calculate(view, Run::open(smallRun));
        EXPECT_EQ(view.count("CalculationCancelled"), 1);
        EXPECT_EQ(view.count("SetIdleMode"), view.count("SetCalculationMode"));
        if (view.count("SetIdleMode") == 1) {
            EXPECT_EQ(view.mainCalls().back(), "SetIdleMode");
        }
        EXPECT_EQ(view.count("ShowROC"), 0) << "no result after the cancel";
        EXPECT_EQ(view.count("SetCalculationErrorsCount"), 0);
        EXPECT_TRUE(view.errors.empty());
    }
    for (const char* failing : { "SetCalculationMode", "ClearProperties", "ShowROC", "SetConfMatrixStats" }) {
        SCOPED_TRACE(failing);
        RecordingCalculateView view;
        view.throwIn = failing;
        calculate(view, Run::open(smallRun));
        ASSERT_EQ(view.errors.size(), 1u);
        EXPECT_TRUE(view.errors[0].contains(QString::fromLatin1(failing)));
        EXPECT_EQ(view.mainCalls().back(), "SetIdleMode");
        EXPECT_EQ(view.count("SetCalculationErrorsCount"), 0);
    }
}

TEST_F(CalculatePresenterTest, UnusableDataGetsAClearErrorAndNoCalculation)
{
    const struct {
        const char* what;
        std::int32_t model;
        std::int16_t dataSet;
        QString run;
        QStringList message;
    } cases[] = {
        { "no validation dataset", 1, 2, dataDir + "/training-only.run", { "validation" } },
        { "no such model", 99, 1, smallRun, { "99" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RecordingCalculateView view = calculate(c.model, "4", c.dataSet, c.run);
        ASSERT_EQ(view.errors.size(), 1u);
        for (const QString& part : c.message)
            EXPECT_TRUE(view.errors[0].contains(part)) << view.errors[0].toStdString();
        expectNoCalculation(view);
    }
}
