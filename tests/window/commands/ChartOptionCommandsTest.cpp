// Chart options: the quantile view, the confusion-matrix kind and mode, the display check boxes.
#include "WindowFixture.h"
#include "reports/PropertyGrid.h"
#include "reports/PropertyGridAdapter.h"

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

    class ChartOptionCommands : public WindowFixture {
    protected:
        template <typename T> static T* chart(QWidget& window, const char* name)
        {
            auto* found = dynamic_cast<T*>(window.findChild<QWidget*>(QString::fromLatin1(name)));
            EXPECT_NE(found, nullptr) << name << " is not the recording double";
            return found;
        }
    };

    TEST_F(ChartOptionCommands, QuantileOptionsShowExactlyOneChartAndKeepTheChoiceAcrossTabs)
    {
        auto window = openShown(1129);
        auto* distribution = find<QRadioButton>(*window, "optQuantiles(0)");
        auto* regression = find<QRadioButton>(*window, "optQuantiles(1)");
        auto* bars = chart<RecordingQuantileChart>(*window, "chQuantile");
        auto* trend = find<QWidget>(*window, "trendChart");
        ASSERT_TRUE(bars && trend);
        const auto shown = [&] { return std::pair { bars->isVisible(), trend->isVisible() }; };
        EXPECT_EQ(shown(), std::pair(true, false));

        clickOption(regression);
        EXPECT_EQ(shown(), std::pair(false, true));
        clickOption(distribution);
        EXPECT_EQ(shown(), std::pair(true, false));

        // The choice survives a visit to another tab.
        clickOption(regression);
        auto* charts = find<QTabBar>(*window, "ssCharts");
        charts->setCurrentIndex(3);
        EXPECT_EQ(shown(), std::pair(false, false));
        charts->setCurrentIndex(0);
        EXPECT_EQ(shown(), std::pair(false, true));
    }

    TEST_F(ChartOptionCommands, ConfusionMatrixKindReachesTheMatrixAndTheStatisticsCategory)
    {
        core->calculation = [](CalculateViewInter& view) {
            const Vector<std::int32_t> counts { 2, 1, 1, 0 };
            const Table<std::int32_t> perBucket = TableBuilder<std::int32_t>(0, 1, 0, 3, 1).build();
            view.SetConfusionMatrix(counts, perBucket, counts, perBucket);
        };
        auto window = openShown(1136);
        auto* matrix = chart<RecordingConfusionMatrix>(*window, "confMatrix");
        auto* statistics = find<PropertyGrid>(*window, "pgProperties");
        ASSERT_TRUE(matrix && statistics);
        const auto selected = [&](PropertyGridAdapter::Category category) {
            return statistics->selectedItem() == statistics->category(category);
        };
        EXPECT_EQ(matrix->dataItems, std::vector<int> { 1 }) << "\"Logistic\" is chosen at first";
        EXPECT_TRUE(selected(PropertyGridAdapter::LogisticConfusionMatrix));

        clickOption(find<QRadioButton>(*window, "optConfMatrixType(0)"));
        EXPECT_EQ(matrix->shownItems, std::vector<int> { 0 });
        EXPECT_TRUE(selected(PropertyGridAdapter::RocConfusionMatrix));
        window->Recalculate();
        EXPECT_EQ(matrix->dataItems, (std::vector<int> { 1, 0 })) << "new data comes with the chosen kind";

        clickOption(find<QRadioButton>(*window, "optConfMatrixType(1)"));
        EXPECT_EQ(matrix->shownItems, (std::vector<int> { 0, 1 }));
        EXPECT_TRUE(selected(PropertyGridAdapter::LogisticConfusionMatrix));

        clickOption(find<QRadioButton>(*window, "optMatrix(1)"));
        EXPECT_EQ(matrix->mode, 1);
        clickOption(find<QRadioButton>(*window, "optMatrix(0)"));
        EXPECT_EQ(matrix->mode, 0);
    }

    TEST_F(ChartOptionCommands, DisplayCheckBoxesSwitchTheirMarkAndRedrawTheirChart)
    {
        core->calculation = [](CalculateViewInter& view) { view.SetProbabilities(probabilities()); };
        auto window = openShown(1131);
        auto* cutoff = chart<RecordingCutoffChart>(*window, "chCutoff");
        auto* fit = chart<RecordingFitChart>(*window, "lfChart");
        ASSERT_TRUE(cutoff && fit);
        const struct {
            int tab;
            const char* box;
            bool* mark;
            int* refreshes;
        } boxes[] = {
            { 2, "ckCutoffNormalized", &cutoff->showOCP, &cutoff->refreshes },
            { 2, "chkShowLogisticCuttofPoint", &cutoff->showLCP, &cutoff->refreshes },
            { 6, "chkShowLcpLogFit", &fit->showLCP, &fit->refreshes },
            { 6, "chkShowPoints", &fit->showDummyPoints, &fit->refreshes },
        };
        for (const auto& b : boxes) {
            SCOPED_TRACE(b.box);
            find<QTabBar>(*window, "ssCharts")->setCurrentIndex(b.tab);
            auto* box = find<QCheckBox>(*window, b.box);
            ASSERT_TRUE(box->isVisible());
            for (int click = 0; click < 2; ++click) {
                const int refreshes = *b.refreshes;
                QTest::mouseClick(box, Qt::LeftButton);
                EXPECT_EQ(*b.mark, box->isChecked());
                EXPECT_EQ(*b.refreshes, refreshes + 1);
            }
        }
    }

}
} // namespace lrv::test
