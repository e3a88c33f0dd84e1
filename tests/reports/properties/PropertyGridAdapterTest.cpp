#include "reports/PropertyGridAdapter.h"

#include "reports/properties/FakeRun.h"
#include "support/Error.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace lrv::test {
namespace {

    using Category = PropertyGridAdapter::Category;
    constexpr double kInf = std::numeric_limits<double>::infinity();

    // total 160, 10 quantiles, 40 positives, 120 negatives, rate 0.25, no errors, spreads 0.5, 0.3, 0.4
    Vector<Variant> decileStats(double middleToBottom = 0.4)
    {
        return { 160.0, 10.0, 40.0, 120.0, 0.25, 0.0, 0.5, 0.3, middleToBottom };
    }

    // AUC, J, cutoff, correct, wrong, total, TP, TN, FP, FN, TPR, TNR, FPR, FNR, PPV, NPV
    Vector<Variant> rocStats()
    {
        return { 0.85, 0.6, 0.42, 120.0, 40.0, 160.0, 48.0, 72.0, 24.0, 16.0, 0.75, 0.75, 0.25, 0.25, 0.67, 0.82 };
    }

    // correct, wrong, total, TP, FN, FP, TN, accuracy, TPR, FNR, FPR, TNR, PPV, NPV, J, ROC cutoff
    Vector<Variant> confusionStats()
    {
        return { 120.0, 40.0, 160.0, 47.6, 16.0, 24.0, 72.0, 75.0, 0.75, 0.25, 0.25, 0.75, 0.67,
            std::numeric_limits<double>::quiet_NaN(), 0.6, 0.42 };
    }

    class PropertyGridAdapterTest : public ::testing::Test {
    protected:
        void init(bool validation = false)
        {
            run->hasValidation = validation;
            adapter.Init(&grid, run);
        }
        QStringList captions(Category which) const
        {
            QStringList list;
            for (const PropertyGrid::Item& item : grid.category(which).children())
                list.append(item.caption());
            return list;
        }
        PropertyGrid::Item row(Category which, const QString& caption) const
        {
            for (const PropertyGrid::Item& item : grid.category(which).children())
                if (item.caption() == caption)
                    return item;
            ADD_FAILURE() << "no row " << caption.toStdString();
            return {};
        }
        QString text(Category which, const QString& caption) const { return row(which, caption).valueText(); }

        PropertyGrid grid;
        PropertyGridAdapter adapter;
        std::shared_ptr<FakeRun> run = std::make_shared<FakeRun>();
    };

    TEST_F(PropertyGridAdapterTest, RunWithoutValidationHasFourModelRowsAndIgnoresValidationInvalidation)
    {
        init(false);
        EXPECT_EQ(captions(Category::CurrentModel),
            QStringList({ "Id", "Training Fitness", "Training Accuracy", "Calculation Errors Training" }));
        EXPECT_TRUE(row(Category::CurrentModel, "Calculation Errors Training").isHidden());
        const QString before = adapter.ToString();
        adapter.InvalidateModel(101, 2);
        EXPECT_EQ(adapter.ToString(), before);
        adapter.InvalidateModel(101, 3);
        EXPECT_EQ(adapter.ToString(), before);
    }

    TEST_F(PropertyGridAdapterTest, InvalidateModelReplacesOnlyTheDatasetsFitnessAndAccuracy)
    {
        init(true);
        ASSERT_EQ(grid.category(Category::CurrentModel).childCount(), 7);
        EXPECT_EQ(text(Category::CurrentModel, "Validation Fitness"), "0.4");
        EXPECT_EQ(text(Category::CurrentModel, "Validation Accuracy"), "75%");

        adapter.InvalidateModel(101, 2);
        EXPECT_EQ(text(Category::CurrentModel, "Validation Fitness"), "--");
        EXPECT_EQ(text(Category::CurrentModel, "Validation Accuracy"), "--");
        EXPECT_EQ(text(Category::CurrentModel, "Training Fitness"), "0.5");

        adapter.InvalidateModel(101, 1);
        EXPECT_EQ(text(Category::CurrentModel, "Training Fitness"), "--");
        EXPECT_EQ(text(Category::CurrentModel, "Training Accuracy"), "--");
        EXPECT_EQ(text(Category::CurrentModel, "Id"), "101");
    }

    TEST_F(PropertyGridAdapterTest, CalculationErrorRowShowsOnlyForErrors)
    {
        init(true);
        PropertyGrid::Item training = row(Category::CurrentModel, "Calculation Errors Training");
        PropertyGrid::Item validation = row(Category::CurrentModel, "Calculation Errors Validation");

        adapter.SetCalculationErrors(3, 1);
        EXPECT_FALSE(training.isHidden());
        EXPECT_EQ(training.valueText(), "3");
        EXPECT_TRUE(validation.isHidden());

        adapter.SetCalculationErrors(0, 1);
        EXPECT_TRUE(training.isHidden());
        EXPECT_EQ(training.valueText(), "0");

        adapter.SetCalculationErrors(5, 2);
        EXPECT_FALSE(validation.isHidden());
        EXPECT_EQ(validation.valueText(), "5");
        EXPECT_TRUE(training.isHidden());
    }

    TEST_F(PropertyGridAdapterTest, AccuracyDropsNeedlessDecimals)
    {
        const std::vector<std::pair<double, QString>> cases = { { 100, "100%" }, { 0, "0%" }, { 50.5, "50.5%" },
            { 87.25, "87.25%" }, { 90, "90%" }, { 87.5, "87.5%" } };
        init();
        for (const auto& [accuracy, expected] : cases) {
            SCOPED_TRACE(accuracy);
            run->model().trainAccuracy = accuracy;
            adapter.SetModelStats(run->modelList->current());
            EXPECT_EQ(text(Category::CurrentModel, "Training Accuracy"), expected);
        }
    }

    TEST_F(PropertyGridAdapterTest, NegativeFitnessOrAccuracyShowsMissing)
    {
        run->model().trainR2 = -11111;
        run->model().validAccuracy = -1;
        run->model().validR2 = 0;
        init(true);
        EXPECT_EQ(text(Category::CurrentModel, "Training Fitness"), "--");
        EXPECT_EQ(text(Category::CurrentModel, "Training Accuracy"), "80%");
        EXPECT_EQ(text(Category::CurrentModel, "Validation Fitness"), "0");
        EXPECT_EQ(text(Category::CurrentModel, "Validation Accuracy"), "--");
    }

    TEST_F(PropertyGridAdapterTest, RunWithoutModelLeavesCurrentModelEmpty)
    {
        run->modelList->list.clear();
        init();
        EXPECT_EQ(grid.category(Category::CurrentModel).childCount(), 0);
        EXPECT_THROW(adapter.SetCalculationErrors(1, 1), Error);
    }

    TEST_F(PropertyGridAdapterTest, GeneralCountsCarryTheirShareOfAllCases)
    {
        init();
        adapter.SetGeneralStats(Vector<Variant>(1, { 160.0, 10.0, 40.0, 120.0 }));
        EXPECT_EQ(captions(Category::General),
            QStringList({ "Total Cases", "Quantiles", "Positive Cases", "Negative Cases" }));
        EXPECT_EQ(text(Category::General, "Total Cases"), "160");
        EXPECT_EQ(text(Category::General, "Positive Cases"), "40 (25.00%)");
        EXPECT_EQ(text(Category::General, "Negative Cases"), "120 (75.00%)");
        EXPECT_EQ(row(Category::General, "Quantiles").kind(), PropertyGrid::IntegerKind);
    }

    TEST_F(PropertyGridAdapterTest, QuantilesShowSpreadsAndAppendTheTrendLine)
    {
        init();
        adapter.SetDecileStats(decileStats());
        adapter.SetWeightedLinearRegression(-0.25, 0.9, 0.875);
        EXPECT_EQ(captions(Category::Quantiles),
            QStringList({ "Average Positive Rate", "Spread from Top to Bottom", "Spread from Top to Middle",
                "Spread from Middle to Bottom", "R-square", "Slope", "Intercept" }));
        EXPECT_EQ(text(Category::Quantiles, "Average Positive Rate"), "25.00%");
        EXPECT_EQ(text(Category::Quantiles, "Spread from Top to Bottom"), "50.00%");
        EXPECT_EQ(text(Category::Quantiles, "Spread from Middle to Bottom"), "40.00%");
        EXPECT_EQ(text(Category::Quantiles, "Slope"), "-0.25");
        EXPECT_EQ(text(Category::Quantiles, "R-square"), "0.875");

        // New statistics replace the rows, trend line included.
        adapter.SetDecileStats(decileStats());
        EXPECT_EQ(grid.category(Category::Quantiles).childCount(), 4);
    }

    TEST_F(PropertyGridAdapterTest, SpreadWithoutDivisorShowsDivisionError)
    {
        init();
        for (const Variant& spread : { Variant(kInf), Variant(std::nan("")), Variant("n/a") }) {
            SCOPED_TRACE(spread.text().toStdString());
            adapter.SetDecileStats(decileStats(0.4));
            adapter.SetDecileStats(Vector<Variant>({ 160.0, 10.0, 40.0, 120.0, 0.25, 0.0, 0.5, 0.3, spread }));
            EXPECT_EQ(text(Category::Quantiles, "Spread from Middle to Bottom"), "#DIV/0");
            double area = 0.7, quality = 0.4;
            adapter.SetGainsStats(area, quality);
            EXPECT_EQ(text(Category::Gains, "Spread from Middle to Bottom"), "#DIV/0");
        }
    }

    TEST_F(PropertyGridAdapterTest, GainsAndLiftReuseTheQuantileStatistics)
    {
        init();
        double area = 0.7, quality = 0.4;
        EXPECT_THROW(adapter.SetGainsStats(area, quality), Error);
        EXPECT_THROW(adapter.SetLiftStats({ 0.1, 2.0, 1.5, 0.6 }), Error);

        adapter.SetDecileStats(decileStats());
        adapter.SetGainsStats(area, quality);
        EXPECT_EQ(captions(Category::Gains),
            QStringList({ "Average Positive Rate", "Spread from Top to Bottom", "Spread from Top to Middle",
                "Spread from Middle to Bottom", "Area Under the Lift Curve", "Gains Ranking Quality" }));
        // The gains take the rate from element 4, not the quotient the quantiles show.
        EXPECT_EQ(text(Category::Gains, "Average Positive Rate"), "25.00%");
        EXPECT_EQ(text(Category::Gains, "Area Under the Lift Curve"), "0.7");

        adapter.SetLiftStats({ 0.1, 2.0, 1.5, 0.6 });
        EXPECT_EQ(captions(Category::Lift).mid(4),
            QStringList({ "Lift Ranking Quality", "Area Between Curves", "Lift Area", "Cumulative Lift Area" }));
        EXPECT_EQ(text(Category::Lift, "Lift Ranking Quality"), "0.6");
        EXPECT_EQ(text(Category::Lift, "Area Between Curves"), "0.1");
        EXPECT_EQ(text(Category::Lift, "Lift Area"), "1.5");
        EXPECT_EQ(text(Category::Lift, "Cumulative Lift Area"), "2");
    }

    TEST_F(PropertyGridAdapterTest, MissingElementFailsWithoutTouchingTheCategory)
    {
        init();
        adapter.SetROCStats(rocStats());
        const QString before = adapter.ToString();
        EXPECT_THROW(adapter.SetROCStats(Vector<Variant>({ 0.85, 0.6, 0.42 })), Error);
        EXPECT_EQ(adapter.ToString(), before);
    }

    TEST_F(PropertyGridAdapterTest, SlopeZeroLeavesTheLogisticCutoffUndefined)
    {
        init();
        double cutoff = 0.5, slope = 0, intercept = 0.3;
        adapter.SetLogOddsStats(cutoff, slope, intercept, 0.9);
        adapter.SetConfusionMatrixStats(confusionStats());
        EXPECT_EQ(text(Category::LogisticFit, "Logistic Cutoff Point"), "UNDEFINED");
        EXPECT_EQ(text(Category::LogisticConfusionMatrix, "Logistic Cutoff Point"), "UNDEFINED");
        EXPECT_EQ(text(Category::LogOdds, "Exp(slope)"), "1");

        slope = 2;
        cutoff = 0.25;
        adapter.SetLogOddsStats(cutoff, slope, intercept, 0.9);
        adapter.SetConfusionMatrixStats(confusionStats());
        EXPECT_EQ(text(Category::LogisticFit, "Logistic Cutoff Point"), "0.25");
        EXPECT_EQ(text(Category::LogisticConfusionMatrix, "Logistic Cutoff Point"), "0.25");

        // The markers of a fit that could not be made.
        slope = -9999;
        adapter.SetLogOddsStats(cutoff, slope, intercept, 0.9);
        EXPECT_EQ(text(Category::LogisticFit, "Logistic Cutoff Point"), "UNDEFINED");
        EXPECT_EQ(text(Category::LogisticFit, "Exp(slope)"), "UNDEFINED");
        slope = 2;
        cutoff = -99999;
        adapter.SetLogOddsStats(cutoff, slope, intercept, 0.9);
        EXPECT_EQ(text(Category::LogisticFit, "Logistic Cutoff Point"), "UNDEFINED");
    }

    TEST_F(PropertyGridAdapterTest, LogOddsRowsAndOverflowingExponent)
    {
        init();
        double cutoff = 0.4, slope = 1000, intercept = -2;
        adapter.SetLogOddsStats(cutoff, slope, intercept, 0.81);
        EXPECT_EQ(captions(Category::LogOdds), QStringList({ "R-square", "Slope", "Intercept", "Exp(slope)" }));
        EXPECT_EQ(captions(Category::LogisticFit),
            QStringList({ "Logistic Cutoff Point", "Slope", "Intercept", "Exp(slope)" }));
        EXPECT_EQ(text(Category::LogOdds, "Exp(slope)"), "UNDEFINED");
        EXPECT_EQ(text(Category::LogOdds, "R-square"), "0.81");
        for (const PropertyGrid::Item& item : grid.category(Category::LogisticFit).children())
            EXPECT_TRUE(item.constraintEdit()) << item.caption().toStdString();
        EXPECT_FALSE(row(Category::LogOdds, "Slope").constraintEdit());
    }

    TEST_F(PropertyGridAdapterTest, RocCountsGoRightAfterTotal)
    {
        init();
        adapter.SetROCStats(rocStats());
        ASSERT_EQ(grid.category(Category::Roc).childCount(), 12);
        adapter.SetROCConfusionMatrixStats(confusionStats());
        const QStringList roc = captions(Category::Roc);
        ASSERT_EQ(roc.size(), 16);
        EXPECT_EQ(roc.mid(0, 6),
            QStringList({ "Area Under the ROC Curve", "Optimal Cutoff Point (Youden Index)", "ROC Cutoff Point",
                "Correct", "Wrong", "Total" }));
        EXPECT_EQ(roc.mid(6, 4), QStringList({ "TP", "TN", "FP", "FN" }));
        EXPECT_EQ(roc.mid(10, 1), QStringList({ "TPR (Sens)" }));
        // TP 47.6 counts as 48; the four add up to 160.
        const PropertyGrid::Item rocCategory = grid.category(Category::Roc);
        EXPECT_EQ(rocCategory.child(6).valueText(), "48 (30.00%)");
        EXPECT_EQ(rocCategory.child(7).valueText(), "72 (45.00%)");
        EXPECT_EQ(rocCategory.child(8).valueText(), "24 (15.00%)");
        EXPECT_EQ(rocCategory.child(9).valueText(), "16 (10.00%)");

        // A second delivery replaces the counts rather than adding four more.
        adapter.SetROCConfusionMatrixStats(confusionStats());
        EXPECT_EQ(grid.category(Category::Roc).childCount(), 16);
    }

    TEST_F(PropertyGridAdapterTest, ConfusionMatricesShowCountsRatesAndTexts)
    {
        init();
        double cutoff = 0.45, slope = 2, intercept = -0.9;
        adapter.SetLogOddsStats(cutoff, slope, intercept, 0.5);
        adapter.SetConfusionMatrixStats(confusionStats());
        EXPECT_EQ(captions(Category::LogisticConfusionMatrix),
            QStringList({ "Logistic Cutoff Point", "Correct", "Wrong", "Total", "TP", "FN", "FP", "TN", "TPR (Sens)",
                "FNR", "FPR (1-Spec)", "TNR (Spec)", "PPV", "NPV" }));
        EXPECT_EQ(text(Category::LogisticConfusionMatrix, "Correct"), "120 (75.00%)");
        EXPECT_EQ(text(Category::LogisticConfusionMatrix, "FN"), "16 (10.00%)");
        EXPECT_EQ(text(Category::LogisticConfusionMatrix, "FNR"), "0.25");
        EXPECT_EQ(text(Category::LogisticConfusionMatrix, "NPV"), "NaN");

        adapter.SetROCConfusionMatrixStats(confusionStats());
        const QStringList roc = captions(Category::RocConfusionMatrix);
        EXPECT_EQ(roc.mid(0, 3), QStringList({ "Optimal Cutoff Point (Youden Index)", "ROC Cutoff Point", "Correct" }));
        EXPECT_EQ(roc.size(), 15);
        EXPECT_EQ(text(Category::RocConfusionMatrix, "ROC Cutoff Point"), "0.42");
    }

    TEST_F(PropertyGridAdapterTest, CutoffPointsListCountsBetweenTotalAndRates)
    {
        init();
        adapter.SetCutoffPointsStats(rocStats());
        EXPECT_EQ(captions(Category::CutoffPoints),
            QStringList({ "Optimal Cutoff Point (Youden Index)", "ROC Cutoff Point", "Correct", "Wrong", "Total", "TP",
                "TN", "FP", "FN", "TPR (Sens)", "TNR (Spec)", "FPR (1-Spec)", "FNR", "PPV", "NPV" }));
        EXPECT_EQ(text(Category::CutoffPoints, "TN"), "72 (45.00%)");
        EXPECT_EQ(text(Category::CutoffPoints, "FNR"), "0.25");
        EXPECT_EQ(text(Category::CutoffPoints, "NPV"), "0.82");
    }

    TEST_F(PropertyGridAdapterTest, SelectCategoryExpandsGeneralAndTheAnalysis)
    {
        init();
        adapter.SelectCategory(Category::Quantiles);
        for (int i = 0; i < grid.categoryCount(); ++i)
            EXPECT_EQ(grid.category(i).isExpanded(), i == Category::General || i == Category::Quantiles) << i;
        EXPECT_EQ(grid.selectedItem(), grid.category(Category::Quantiles));

        adapter.SelectCategory(Category::RocConfusionMatrix);
        for (int i = 0; i < grid.categoryCount(); ++i)
            EXPECT_EQ(grid.category(i).isExpanded(), i == Category::General || i == Category::RocConfusionMatrix) << i;
        EXPECT_EQ(grid.selectedItem(), grid.category(Category::RocConfusionMatrix));

        EXPECT_THROW(adapter.SelectCategory(Category::CategoryCount), Error);
        EXPECT_THROW(adapter.SelectCategory(Category(-1)), Error);
        EXPECT_EQ(grid.selectedItem(), grid.category(Category::RocConfusionMatrix));
    }

    TEST_F(PropertyGridAdapterTest, ToStringWithOnlyTheCurrentModel)
    {
        init();
        QString expected = "Current Model\r\nId\t101\r\nTraining Fitness\t0.5\r\nTraining Accuracy\t80%\r\n"
                           "Calculation Errors Training\t0\r\n";
        for (const char* caption : { "General", "Quantiles", "ROC", "Cutoff Points", "Gains", "Lift", "Log Odds",
                 "Logistic Fit", "Logistic Confusion Matrix", "ROC Confusion Matrix" })
            expected += QStringLiteral("\r\n") + caption + QStringLiteral("\r\n");
        EXPECT_EQ(adapter.ToString(), expected);
    }

    TEST_F(PropertyGridAdapterTest, EveryRowEndsReadOnly)
    {
        init(true);
        adapter.SetDecileStats(decileStats());
        adapter.SetWeightedLinearRegression(1, 2, 3);
        adapter.SetROCStats(rocStats());
        adapter.SetROCConfusionMatrixStats(confusionStats());
        int rows = 0;
        for (const PropertyGrid::Item& category : grid.categories()) {
            EXPECT_FALSE(category.isReadOnly());
            for (const PropertyGrid::Item& item : category.children()) {
                ++rows;
                EXPECT_TRUE(item.isReadOnly()) << item.caption().toStdString();
                EXPECT_FALSE(item.isEditable()) << item.caption().toStdString();
            }
        }
        EXPECT_GT(rows, 30);
    }

    TEST_F(PropertyGridAdapterTest, ResetKeepsTheModelAndEmptiesTheRest)
    {
        init();
        adapter.SetROCStats(rocStats());
        run->modelList->setCurrentIndex(0);
        run->model().modelId = 7;
        adapter.Reset();
        EXPECT_EQ(grid.categoryCount(), 11);
        EXPECT_EQ(grid.category(Category::Roc).childCount(), 0);
        EXPECT_EQ(text(Category::CurrentModel, "Id"), "7");
    }

} // namespace
} // namespace lrv::test
