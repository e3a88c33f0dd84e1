// Chart options: the quantile view, the confusion-matrix kind and mode, the display check boxes.
#include "CommandWindow.h"
#include "reports/PropertyGrid.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

namespace lrv::test {
namespace {

    /// Probabilities of four records (ids 1 to 4) in ascending output order.
    Table<double> probabilities()
    {
        TableBuilder<double> builder(0, 3, 0, 9);
        for (int r = 0; r < 4; ++r) {
            const double p = 0.2 + 0.2 * r;
            const double values[10] = { double(r + 1), double(r >= 2), p, std::log(p / (1 - p)), p / (1 - p), p, 1 - p,
                double(p >= 0.5), 1, 0 };
            for (int c = 0; c < 10; ++c)
                builder.set(r, c, values[c]);
        }
        return builder.build();
    }

    void sendConfusionMatrix(CalculateViewInter& view)
    {
        const Vector<std::int32_t> counts { 2, 1, 1, 0 };
        const Table<std::int32_t> perBucket = TableBuilder<std::int32_t>(0, 1, 0, 3, 1).build();
        view.SetConfusionMatrix(counts, perBucket, counts, perBucket);
    }

    class ChartOptionCommands : public CommandWindow {
    protected:
        template <typename T> static T* chart(QWidget& window, const char* name)
        {
            auto* found = dynamic_cast<T*>(window.findChild<QWidget*>(QString::fromLatin1(name)));
            EXPECT_NE(found, nullptr) << name << " is not the recording double";
            return found;
        }
        static QString selectedCategory(QWidget& window)
        {
            return find<PropertyGrid>(window, "pgProperties")->selectedItem().caption();
        }
    };

    TEST_F(ChartOptionCommands, QuantileOptionsShowExactlyOneChartAndRefreshTheTrendLine)
    {
        auto window = openShown(1129);
        auto* distribution = find<QRadioButton>(*window, "optQuantiles(0)");
        auto* regression = find<QRadioButton>(*window, "optQuantiles(1)");
        auto* bars = chart<RecordingQuantileChart>(*window, "chQuantile");
        auto* trend = chart<RecordingTrendChart>(*window, "trendChart");
        ASSERT_TRUE(bars && trend);
        EXPECT_TRUE(bars->isVisible());
        EXPECT_FALSE(trend->isVisible());

        const int refreshes = trend->refreshes;
        clickOption(regression);
        EXPECT_FALSE(bars->isVisible());
        EXPECT_TRUE(trend->isVisible());
        EXPECT_EQ(trend->refreshes, refreshes + 1);

        clickOption(distribution);
        EXPECT_TRUE(bars->isVisible());
        EXPECT_FALSE(trend->isVisible());
        EXPECT_EQ(trend->refreshes, refreshes + 1) << "a hidden trend line is not redrawn";

        // The choice survives a visit to another tab.
        clickOption(regression);
        auto* charts = find<QTabBar>(*window, "ssCharts");
        charts->setCurrentIndex(3);
        EXPECT_FALSE(bars->isVisible());
        EXPECT_FALSE(trend->isVisible());
        charts->setCurrentIndex(0);
        EXPECT_FALSE(bars->isVisible());
        EXPECT_TRUE(trend->isVisible());
    }

    TEST_F(ChartOptionCommands, ConfMatrixTypeReachesTheMatrixAndTheStatisticsCategory)
    {
        core->calculation = sendConfusionMatrix;
        auto window = openShown(1136);
        auto* matrix = chart<RecordingConfusionMatrix>(*window, "confMatrix");
        ASSERT_TRUE(matrix);
        EXPECT_EQ(matrix->dataItems, std::vector<int> { 1 }) << "\"Logistic\" is chosen at first";
        EXPECT_EQ(selectedCategory(*window), "Logistic Confusion Matrix");

        clickOption(find<QRadioButton>(*window, "optConfMatrixType(0)"));
        EXPECT_EQ(matrix->shownItems, std::vector<int> { 0 });
        EXPECT_EQ(selectedCategory(*window), "ROC Confusion Matrix");
        window->Recalculate();
        EXPECT_EQ(matrix->dataItems, (std::vector<int> { 1, 0 })) << "new data comes with the chosen kind";

        clickOption(find<QRadioButton>(*window, "optConfMatrixType(1)"));
        EXPECT_EQ(matrix->shownItems, (std::vector<int> { 0, 1 }));
        EXPECT_EQ(selectedCategory(*window), "Logistic Confusion Matrix");
    }

    TEST_F(ChartOptionCommands, MatrixOptionSwitchesTableAndDistribution)
    {
        auto window = openShown(1136);
        auto* matrix = chart<RecordingConfusionMatrix>(*window, "confMatrix");
        ASSERT_TRUE(matrix);
        clickOption(find<QRadioButton>(*window, "optMatrix(1)"));
        EXPECT_EQ(matrix->mode, 1);
        EXPECT_TRUE(matrix->isVisible());
        clickOption(find<QRadioButton>(*window, "optMatrix(0)"));
        EXPECT_EQ(matrix->mode, 0);
    }

    TEST_F(ChartOptionCommands, CutoffCheckBoxesSwitchTheirPointAndRedraw)
    {
        auto window = openShown(1131);
        auto* cutoff = chart<RecordingCutoffChart>(*window, "chCutoff");
        ASSERT_TRUE(cutoff);
        auto* rocPoint = find<QCheckBox>(*window, "ckCutoffNormalized");
        auto* logisticPoint = find<QCheckBox>(*window, "chkShowLogisticCuttofPoint");
        EXPECT_EQ(rocPoint->text(), "Show ROC CP");
        EXPECT_EQ(logisticPoint->text(), "Show LCP");
        ASSERT_TRUE(rocPoint->isVisible() && logisticPoint->isVisible());

        const int refreshes = cutoff->refreshes;
        QTest::mouseClick(rocPoint, Qt::LeftButton);
        EXPECT_EQ(cutoff->showOCP, rocPoint->isChecked());
        EXPECT_FALSE(cutoff->showOCP);
        EXPECT_TRUE(cutoff->showLCP);
        EXPECT_EQ(cutoff->refreshes, refreshes + 1);
        QTest::mouseClick(logisticPoint, Qt::LeftButton);
        EXPECT_FALSE(cutoff->showLCP);
        EXPECT_EQ(cutoff->refreshes, refreshes + 2);
        QTest::mouseClick(rocPoint, Qt::LeftButton);
        EXPECT_TRUE(cutoff->showOCP);
    }

    TEST_F(ChartOptionCommands, LogisticFitCheckBoxesSwitchTheLcpAndTheDummyPoints)
    {
        auto window = openShown(1135);
        auto* fit = chart<RecordingFitChart>(*window, "lfChart");
        ASSERT_TRUE(fit);
        auto* dummyPoints = find<QCheckBox>(*window, "chkShowPoints");
        auto* logisticPoint = find<QCheckBox>(*window, "chkShowLcpLogFit");
        EXPECT_EQ(dummyPoints->text(), "Show Dummy Points");
        EXPECT_EQ(logisticPoint->text(), "Show LCP");

        QTest::mouseClick(logisticPoint, Qt::LeftButton);
        EXPECT_FALSE(fit->showLCP);
        // Nothing has been drawn on the fit yet: the box has no chart adapter to go through.
        const int refreshes = fit->refreshes;
        QTest::mouseClick(dummyPoints, Qt::LeftButton);
        EXPECT_TRUE(fit->showDummyPoints);
        EXPECT_EQ(fit->refreshes, refreshes);

        core->calculation = [](CalculateViewInter& view) { view.SetProbabilities(probabilities()); };
        window->Recalculate();
        QTest::mouseClick(dummyPoints, Qt::LeftButton);
        EXPECT_EQ(fit->showDummyPoints, dummyPoints->isChecked());
        EXPECT_EQ(fit->refreshes, refreshes + 2); // the drawing, then the switch
    }

    TEST_F(ChartOptionCommands, DisplayCheckBoxesDoNothingWhileLoading)
    {
        std::unique_ptr<frmDecile> window;
        core->calculation = [](CalculateViewInter& view) { view.SetProbabilities(probabilities()); };
        core->whileLoading = [&] {
            for (const char* name :
                { "ckCutoffNormalized", "chkShowLogisticCuttofPoint", "chkShowLcpLogFit", "chkShowPoints" })
                opening->findChild<QCheckBox*>(QString::fromLatin1(name))->click();
        };
        window = open();
        auto* cutoff = chart<RecordingCutoffChart>(*window, "chCutoff");
        auto* fit = chart<RecordingFitChart>(*window, "lfChart");
        ASSERT_TRUE(cutoff && fit);
        EXPECT_TRUE(cutoff->showOCP);
        EXPECT_TRUE(cutoff->showLCP);
        EXPECT_TRUE(fit->showLCP);
        EXPECT_EQ(cutoff->refreshes + fit->refreshes, 0);
    }

}
} // namespace lrv::test
