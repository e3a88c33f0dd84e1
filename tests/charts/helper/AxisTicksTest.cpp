#include "charts/AxisTicks.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace lrv;

namespace {

TEST(AxisTicks, LabelsTellRoundTicksApartInTheShorterForm)
{
    const struct {
        double low, high;
        int most;
        AxisTicks::Notation notation;
        QStringList labels;
    } cases[] = {
        { -0.63, 0.61, 7, AxisTicks::Notation::Automatic, { "-0.6", "-0.4", "-0.2", "0", "0.2", "0.4", "0.6" } },
        { 289, 861, 8, AxisTicks::Notation::Automatic, { "300", "400", "500", "600", "700", "800" } },
        // The step is never finer than the span over the most ticks, though a finer one would fit here too.
        { 0.15, 0.96, 8, AxisTicks::Notation::Automatic, { "0.2", "0.4", "0.6", "0.8" } },
        { 1e9 + 0.5, 1e9 + 9.5, 5, AxisTicks::Notation::Automatic,
            { "1000000002", "1000000004", "1000000006", "1000000008" } },
        { 0, 1e12, 6, AxisTicks::Notation::Automatic, { "0", "2.0E+11", "4.0E+11", "6.0E+11", "8.0E+11", "1.0E+12" } },
        { 1e-13, 9e-13, 4, AxisTicks::Notation::Automatic, { "2.0E-13", "4.0E-13", "6.0E-13", "8.0E-13" } },
        { 2e6, 3e6, 3, AxisTicks::Notation::Scientific, { "2.0E+06", "2.5E+06", "3.0E+06" } },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.labels.join(QLatin1Char(' ')).toStdString());
        const AxisTicks ticks = AxisTicks::between(test.low, test.high, test.most, test.notation);
        EXPECT_LE(ticks.count, test.most);
        EXPECT_EQ(ticks.labels(), test.labels);
    }
}

TEST(AxisTicks, EndsOpenAroundValuesTooCloseToTellApart)
{
    const auto [flatLow, flatHigh] = AxisTicks::ends(0.5 - 1e-13, 0.5 + 1e-13, 0.1);
    EXPECT_DOUBLE_EQ(flatLow, 0.45);
    EXPECT_DOUBLE_EQ(flatHigh, 0.55);
    EXPECT_EQ(AxisTicks::ends(0, 0, 0), std::make_pair(-0.5, 0.5));
    EXPECT_EQ(AxisTicks::ends(2, 1, 0.5), std::make_pair(0.5, 2.5));
    const auto [low, high] = AxisTicks::ends(-1.7e308, 1.7e308, 0.1);
    EXPECT_TRUE(std::isfinite(low) && std::isfinite(high));
    EXPECT_LE(AxisTicks::between(low, high, 20).count, 20);
}

TEST(AxisTicks, AFixedStepIsKeptOnlyWhileItGivesFewTicks)
{
    const std::optional<AxisTicks> rates = AxisTicks::withStep(0, 1, 0.2);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->labels(), (QStringList { "0", "0.2", "0.4", "0.6", "0.8", "1.0" }));
    EXPECT_EQ(AxisTicks::withStep(0, 1, 0.25)->labels(), (QStringList { "0", "0.25", "0.50", "0.75", "1.00" }));
    EXPECT_FALSE(AxisTicks::withStep(0, 1e9, 0.2));
}

} // namespace
