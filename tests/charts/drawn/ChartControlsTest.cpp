#include "support/ControlRegistry.h"

#include <gtest/gtest.h>

#include <QWidget>

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

} // namespace lrv::test
