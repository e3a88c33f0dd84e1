#include "reports/PropertyGridAdapter.h"

#include "common/ScriptedHost.h"
#include "host/UncertaintyFigures.h"
#include "support/Error.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace lrv::test {
namespace {

    using Category = PropertyGridAdapter::Category;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

    // total 160, 10 quantiles, 40 positives, 120 negatives, rate 0.25, no errors, spreads 0.5, 0.3, 0.4
    Vector<Variant> decileStats(const Variant& middleToBottom = 0.4)
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
        return { 120.0, 40.0, 160.0, 47.6, 16.0, 24.0, 72.0, 75.0, 0.75, 0.25, 0.25, 0.75, 0.67, kNaN, 0.6, 0.42 };
    }

    class PropertyGridAdapterTest : public ::testing::Test {
    protected:
        void init(bool validation)
        {
            run->hasValidation = validation;
            adapter.Init(&grid, run);
        }
        /// Every statistic the host delivers after a calculation, with a logistic fit of this slope and cutoff.
        void deliverAll(double slope = 2, double cutoff = 0.25)
        {
            adapter.SetGeneralStats(Vector<Variant>(1, { 160.0, 10.0, 40.0, 120.0 }));
            adapter.SetDecileStats(decileStats());
            adapter.SetWeightedLinearRegression(-0.25, 0.9, 0.875);
            double area = 0.7, quality = 0.4, intercept = -0.9;
            adapter.SetGainsStats(area, quality);
            adapter.SetLiftStats({ 0.1, 2.0, 1.5, 0.6 });
            adapter.SetROCStats(rocStats());
            adapter.SetROCConfusionMatrixStats(confusionStats());
            adapter.SetLogOddsStats(cutoff, slope, intercept, 0.81);
            adapter.SetConfusionMatrixStats(confusionStats());
            adapter.SetCutoffPointsStats(rocStats());
            UncertaintyStats uncertainty;
            uncertainty.aucLow = 0.71;
            uncertainty.aucHigh = kNaN; // a class of one record
            uncertainty.hosmerLemeshowDf = 8;
            uncertainty.probabilitiesFromOutputs = false;
            adapter.SetUncertaintyStats(uncertainty);
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
        std::vector<int> rowCounts() const
        {
            std::vector<int> counts;
            for (const PropertyGrid::Item& category : grid.categories())
                counts.push_back(category.childCount());
            return counts;
        }

        PropertyGrid grid;
        PropertyGridAdapter adapter;
        std::shared_ptr<FakeRun> run = std::make_shared<FakeRun>();
    };

    TEST_F(PropertyGridAdapterTest, EveryFigureShowsAsTheUserReadsItAndEveryRowIsReadOnly)
    {
        init(true);
        deliverAll();
        const struct {
            Category category;
            const char* caption;
            const char* text;
        } rows[] = {
            { Category::CurrentModel, "Id", "1" },
            { Category::CurrentModel, "Validation Fitness", "0.4" },
            { Category::General, "Positive Cases", "40 (25.00%)" },
            { Category::Quantiles, "Average Positive Rate", "25.00%" },
            { Category::Quantiles, "Spread from Top to Bottom", "50.00%" },
            { Category::Quantiles, "Spread from Middle to Bottom", "40.00%" },
            { Category::Quantiles, "R-square", "0.875" },
            { Category::Gains, "Average Positive Rate", "25.00%" },
            { Category::Gains, "Area Under the Lift Curve", "0.7" },
            { Category::Lift, "Lift Ranking Quality", "0.6" },
            { Category::Lift, "Cumulative Lift Area", "2" },
            { Category::Roc, "TP", "48 (30.00%)" }, // 47.6 counts as 48; the four add up to 160
            { Category::Roc, "FN", "16 (10.00%)" },
            { Category::LogOdds, "R-square", "0.81" },
            { Category::LogOdds, "Exp(slope)", "7.38905609893065" },
            { Category::LogisticFit, "Logistic Cutoff Point", "0.25" },
            { Category::LogisticConfusionMatrix, "Correct", "120 (75.00%)" },
            { Category::LogisticConfusionMatrix, "FNR", "0.25" },
            { Category::LogisticConfusionMatrix, "NPV", "NaN" },
            { Category::RocConfusionMatrix, "ROC Cutoff Point", "0.42" },
            { Category::CutoffPoints, "TN", "72 (45.00%)" },
            { Category::CutoffPoints, "NPV", "0.82" },
            { Category::UncertaintyAndCalibration, "AUC 95 % CI Low (DeLong)", "0.71" },
            { Category::UncertaintyAndCalibration, "AUC 95 % CI High (DeLong)", "--" },
            { Category::UncertaintyAndCalibration, "Hosmer-Lemeshow df", "8" },
            { Category::UncertaintyAndCalibration, "Probabilities", "Logistic Fit" },
        };
        for (const auto& r : rows)
            EXPECT_EQ(text(r.category, r.caption), r.text) << r.caption;
        const PropertyGrid::Item roc = grid.category(Category::Roc);
        EXPECT_EQ(roc.child(5).caption(), "Total");
        EXPECT_EQ(roc.child(6).caption(), "TP") << "the counts go right after the total";

        for (const PropertyGrid::Item& category : grid.categories())
            for (const PropertyGrid::Item& item : category.children())
                EXPECT_TRUE(item.isReadOnly() && !item.isEditable()) << item.caption().toStdString();

        const std::vector<int> counts = rowCounts();
        deliverAll();
        EXPECT_EQ(rowCounts(), counts) << "a second delivery replaces the rows";
        adapter.SetDecileStats(decileStats());
        EXPECT_EQ(grid.category(Category::Quantiles).childCount(), 4) << "the trend line goes with the quantiles";
    }

    TEST_F(PropertyGridAdapterTest, CurrentModelShowsTheRunsDatasetsAndDashesWhatIsInvalid)
    {
        run->model().trainR2 = -11111;
        run->model().validAccuracy = -1;
        run->model().validR2 = 0;
        init(true);
        EXPECT_EQ(text(Category::CurrentModel, "Training Fitness"), "--");
        EXPECT_EQ(text(Category::CurrentModel, "Validation Fitness"), "0");
        EXPECT_EQ(text(Category::CurrentModel, "Validation Accuracy"), "--");
        adapter.InvalidateModel(1, 1);
        EXPECT_EQ(text(Category::CurrentModel, "Training Accuracy"), "--");
        EXPECT_EQ(text(Category::CurrentModel, "Validation Fitness"), "0");

        PropertyGrid::Item training = row(Category::CurrentModel, "Calculation Errors Training");
        PropertyGrid::Item validation = row(Category::CurrentModel, "Calculation Errors Validation");
        EXPECT_TRUE(training.isHidden() && validation.isHidden());
        adapter.SetCalculationErrors(3, 1);
        EXPECT_FALSE(training.isHidden());
        EXPECT_EQ(training.valueText(), "3");
        adapter.SetCalculationErrors(0, 1);
        EXPECT_TRUE(training.isHidden());
        adapter.SetCalculationErrors(5, 2);
        EXPECT_FALSE(validation.isHidden());
        EXPECT_EQ(validation.valueText(), "5");

        // A run without validation set has no validation rows and ignores their invalidation.
        init(false);
        EXPECT_EQ(grid.category(Category::CurrentModel).childCount(), 4);
        const QString before = adapter.ToString();
        adapter.InvalidateModel(1, 2);
        EXPECT_EQ(adapter.ToString(), before);

        run = std::make_shared<FakeRun>(QStringLiteral("/runs/empty.run"), 0);
        init(false);
        EXPECT_EQ(grid.category(Category::CurrentModel).childCount(), 0);
        EXPECT_THROW(adapter.SetCalculationErrors(1, 1), Error);
    }

    TEST_F(PropertyGridAdapterTest, ASpreadWithoutDivisorShowsADivisionError)
    {
        init(false);
        for (const Variant& spread :
            { Variant(std::numeric_limits<double>::infinity()), Variant(kNaN), Variant("n/a") }) {
            SCOPED_TRACE(spread.text().toStdString());
            adapter.SetDecileStats(decileStats(spread));
            EXPECT_EQ(text(Category::Quantiles, "Spread from Middle to Bottom"), "#DIV/0");
            double area = 0.7, quality = 0.4;
            adapter.SetGainsStats(area, quality);
            EXPECT_EQ(text(Category::Gains, "Spread from Middle to Bottom"), "#DIV/0");
        }
    }

    TEST_F(PropertyGridAdapterTest, StatisticsThatCannotBeShownFailWithoutTouchingTheGrid)
    {
        init(false);
        double area = 0.7, quality = 0.4;
        EXPECT_THROW(adapter.SetGainsStats(area, quality), Error) << "the gains need the quantiles first";
        EXPECT_THROW(adapter.SetLiftStats({ 0.1, 2.0, 1.5, 0.6 }), Error);
        adapter.SetROCStats(rocStats());
        const QString before = adapter.ToString();
        EXPECT_THROW(adapter.SetROCStats(Vector<Variant>({ 0.85, 0.6, 0.42 })), Error);
        EXPECT_THROW(adapter.SelectCategory(Category::CategoryCount), Error);
        EXPECT_THROW(adapter.SelectCategory(Category(-1)), Error);
        EXPECT_EQ(adapter.ToString(), before);
    }

    TEST_F(PropertyGridAdapterTest, AFitThatCannotBeMadeLeavesTheLogisticCutoffUndefined)
    {
        init(false);
        const struct {
            double slope, cutoff;
            const char* exponent;
        } fits[] = { { 0, 0.5, "1" }, { -9999, 0.25, "UNDEFINED" }, { 2, -99999, "7.38905609893065" } };
        for (const auto& f : fits) {
            SCOPED_TRACE(f.slope);
            deliverAll(f.slope, f.cutoff);
            EXPECT_EQ(text(Category::LogisticFit, "Logistic Cutoff Point"), "UNDEFINED");
            EXPECT_EQ(text(Category::LogisticConfusionMatrix, "Logistic Cutoff Point"), "UNDEFINED");
            EXPECT_EQ(text(Category::LogisticFit, "Exp(slope)"), f.exponent);
        }
        deliverAll(1000, 0.4);
        EXPECT_EQ(text(Category::LogOdds, "Exp(slope)"), "UNDEFINED") << "an exponent that overflows";
    }

    TEST_F(PropertyGridAdapterTest, ResetKeepsTheModelAndEmptiesTheRest)
    {
        init(false);
        deliverAll();
        run->model().modelId = 7;
        adapter.Reset();
        EXPECT_EQ(grid.categoryCount(), int(Category::CategoryCount));
        for (int i = 1; i < grid.categoryCount(); ++i)
            EXPECT_EQ(grid.category(i).childCount(), 0) << i;
        EXPECT_EQ(text(Category::CurrentModel, "Id"), "7");
        EXPECT_TRUE(adapter.ToString().startsWith("Current Model\r\nId\t7\r\nTraining Fitness\t0.5\r\n"));
    }

} // namespace
} // namespace lrv::test
