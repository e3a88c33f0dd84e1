#include "charts/LegendLine.h"
#include "charts/LiftChart.h"
#include "charts/ROCChart.h"
#include "support/ControlRegistry.h"
#include "support/Error.h"

#include <gtest/gtest.h>

namespace lrv::test {

TEST(ChartControls, AreRegisteredUnderTheLibraryProgramIdentifiers)
{
    for (const char* name :
        { "ROCChart", "GainsChart", "LiftChart", "CalibrationChart", "CutoffChart", "LogisticFitChart", "SlopeChart",
            "TrendlineChart", "QuantileChart", "ConfusionMatrix", "VerticalLabel" }) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> control(
            ControlRegistry::create(ControlRegistry::progIdOf(QString::fromLatin1(name)), nullptr));
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->metaObject()->className() + 5, name); // after "lrv::"
    }
}

TEST(DrawnChartFrame, ALetRecoloursTheLegendAtOnceAndThePlotOnRefresh)
{
    ROCChart roc;
    roc.SetDiagonalColor(rgb(1, 2, 3));
    EXPECT_EQ(roc.findChild<LegendLine*>(QStringLiteral("lnBaseline"))->BorderColor(), rgb(1, 2, 3));
    EXPECT_NE(roc.picture().series.front().color, rgb(1, 2, 3));
    roc.Refresh();
    EXPECT_EQ(roc.picture().series.front().color, rgb(1, 2, 3));
    EXPECT_THROW(LiftChart().SetColor(5, 0), Error) << "the lift chart has colours 1 to 4";
    EXPECT_THROW(LiftChart().SetColor(0, 0), Error);
}

} // namespace lrv::test
