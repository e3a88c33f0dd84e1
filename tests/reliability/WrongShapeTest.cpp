// A host may hand the analysis window arrays of any shape. Whatever it hands, the window must not crash:
// a callback either refuses with lrv::Error or draws what it can, and every tab still paints.
#include "common/FakePlatform.h"
#include "common/ScriptedHost.h"
#include "common/TestConfiguration.h"
#include "support/Error.h"
#include "window/frmDecile.h"

#include <functional>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabBar>

using namespace lrv;
using namespace lrv::test;

namespace {

/// The shapes a careless host produces.
struct Shape {
    const char* name;
    int rows, cols, low;
};
const Shape shapes[] = {
    { "empty", 0, 0, 0 },
    { "one row", 1, 16, 0 },
    { "too few columns", 12, 2, 0 },
    { "lower bound 5", 12, 16, 5 },
    { "one column at lower bound 5", 12, 1, 5 },
};

template <typename T> Table<T> table(const Shape& shape, const std::function<T(int, int)>& value)
{
    if (shape.rows == 0)
        return {};
    TableBuilder<T> builder(shape.low, shape.low + shape.rows - 1, shape.low, shape.low + shape.cols - 1);
    for (int r = 0; r < shape.rows; ++r)
        for (int c = 0; c < shape.cols; ++c)
            builder.set(shape.low + r, shape.low + c, value(r, c));
    return builder.build();
}

class WrongShapes : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakePlatform::installFresh();
        // A configuration without any colour: the charts fall back to black and white, never fail.
        TestConfiguration::install();
        core = ScriptedHostCore::install();
        run = std::make_shared<FakeRun>("/runs/shapes.run", 3);
        run->values = { { "set_lr#SelectedChart", 1130 }, { "set_lr#DataSet", 1 }, { "set_lr#Buckets", 10 },
            { "data#train_Samples", 200 }, { "data#test_Samples", 100 } };
        core->run = run;
        window = std::make_unique<frmDecile>();
        std::shared_ptr<IRun> handle = run;
        window->Init(handle, -1, 0, 0);
        window->resize(1100, 800);
    }

    /// Calls a callback; only lrv::Error may come out of it.
    void call(const char* what, const std::function<void()>& callback)
    {
        SCOPED_TRACE(what);
        try {
            callback();
        } catch (const Error&) {
            ++refused;
        }
    }

    /// Paints every chart tab and every report tab with what the window holds now.
    void paintEverything()
    {
        auto* charts = window->findChild<QTabBar*>("ssCharts");
        auto* reports = window->findChild<QTabBar*>("ssReports");
        ASSERT_TRUE(charts && reports);
        for (int tab = 0; tab < charts->count(); ++tab) {
            charts->setCurrentIndex(tab);
            reports->setCurrentIndex(tab);
            EXPECT_FALSE(window->grab().isNull());
        }
    }

    /// The charts showing their "Invalid Data" or "Unable to draw the chart" notice.
    int shownNotices() const
    {
        int shown = 0;
        for (const QLineEdit* notice : window->findChildren<QLineEdit*>("txtInvalidData"))
            shown += notice->isHidden() ? 0 : 1;
        return shown;
    }

    std::shared_ptr<ScriptedHostCore> core;
    std::shared_ptr<FakeRun> run;
    std::unique_ptr<frmDecile> window;
    int refused = 0;
};

}

TEST_F(WrongShapes, CallbacksNeverCrashTheWindow)
{
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        CalculateViewInter& view = *window;
        DecileLoadViewInter& load = *window;
        const auto numbers = table<double>(shape, [](int r, int c) { return 1.0 - 0.05 * r + 0.01 * c; });
        const auto variants = table<Variant>(shape, [](int r, int c) { return Variant(0.9 - 0.05 * r + 0.01 * c); });
        const auto counts = table<std::int32_t>(shape, [](int r, int c) { return r + c; });
        const Vector<double> doubles(shape.low, std::vector<double>(std::size_t(shape.cols), 0.25));
        const Vector<std::int32_t> integers(shape.low, std::vector<std::int32_t>(std::size_t(shape.cols), 2));
        const Vector<Variant> stats(shape.low, std::vector<Variant>(std::size_t(shape.cols), Variant(0.5)));
        double area = 0.5, quality = 0.2;

        call("SetModels", [&] { load.SetModels({ "Model 1", "Model 2", "Model 3" }, integers, 2); });
        call("SetDecileTable", [&] { load.SetDecileTable(variants); });
        call("SelectDataSet", [&] { load.SelectDataSet(shape.low); });
        call("SetBuckets", [&] { load.SetBuckets(shape.rows); });
        call("SetDecileResults", [&] { view.SetDecileResults(shape.rows, variants); });
        call("ShowROC", [&] { view.ShowROC(numbers, 0.7, shape.low + 1); });
        call("ShowCutoffPoints", [&] { view.ShowCutoffPoints(numbers); });
        call("ShowSlopeInterceptChart", [&] { view.ShowSlopeInterceptChart(variants); });
        call("SetProbabilities", [&] { view.SetProbabilities(numbers); });
        call("SetZeroOnes", [&] { view.SetZeroOnes(numbers); });
        call("SetGainsChart", [&] { view.SetGainsChart(variants, area, quality); });
        call("SetLiftChart", [&] { view.SetLiftChart(variants, doubles); });
        call("SetConfusionMatrix", [&] { view.SetConfusionMatrix(integers, counts, integers, counts); });
        call("SetDecileStats", [&] { view.SetDecileStats(stats); });
        call("SetROCStats", [&] { view.SetROCStats(stats); });
        call("SetConfMatrixStats", [&] { view.SetConfMatrixStats(stats, stats); });
        call("SetLogOddsStats2", [&] { view.SetLogOddsStats2(0.5, 0, 0, 0, false); });
        paintEverything();
        if (shape.cols < 3) { // no chart can be drawn from so few columns: some say so
            EXPECT_GT(shownNotices(), 0);
        }
    }
    // The lift statistics and the ROC cutoff point cannot be read from an empty vector: those are refused.
    EXPECT_GE(refused, 2);
}
