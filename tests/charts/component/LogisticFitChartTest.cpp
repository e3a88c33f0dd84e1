#include "charts/LogisticFitChart.h"

#include "ComponentTestSupport.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLineEdit>
#include <QScatterSeries>

using namespace lrv;
using lrv::test::pointsOf;
using lrv::test::rows;

namespace {

class LogisticFitChartTest : public ::testing::Test {
protected:
    LogisticFitChartTest() { chart.resize(640, 420); }

    ChartComponent& component() { return *chart.chartComponent(); }
    bool noticeShown() const { return !chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"))->isHidden(); }

    // The curve as rows of the probability table up to P(0).
    static Table<double> curve()
    {
        return rows<double>(
            0, { { 1, 0, 0.1, 0, 0, 0.2, 0.8 }, { 2, 1, 0.5, 0, 0, 0.5, 0.5 }, { 3, 1, 0.9, 0, 0, 0.8, 0.2 } });
    }
    // Observations: class level, model output, class.
    static Table<double> observations()
    {
        return rows<double>(0, { { 0, 0.1, 0 }, { 1, 0.3, 1 }, { 0, 0.6, 0 }, { 1, 0.9, 1 } });
    }

    LogisticFitChart chart;
};

TEST_F(LogisticFitChartTest, BeforeAnyObservationsTheChartCannotBeDrawn)
{
    chart.SetDataSource(curve());
    chart.Refresh();
    EXPECT_TRUE(noticeShown());
    EXPECT_EQ(component().pointCount(2), 0) << "no curve without the observations' range";
}

TEST_F(LogisticFitChartTest, ObservationsSplitByClassAndTheCurveFollowsOutputAndProbabilityOne)
{
    chart.SetShowDummyPoints(true);
    chart.SetDataSource(curve());
    chart.AddDataSource(
        rows<double>(0, { { 1, 0.2, 1 }, { 0, 0.3, 0 }, { 1, 0.4, 0.5 }, { 1, 0.5, -1 }, { 0, 0.8, 0 } }));
    chart.Refresh();
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(pointsOf(component(), 0), (QList<QPointF> { { 0.2, 1 }, { 0.4, 1 }, { 0.5, 1 } }))
        << "class 0.5 and -1 count as class 1";
    EXPECT_EQ(pointsOf(component(), 1), (QList<QPointF> { { 0.3, 0 }, { 0.8, 0 } }));
    EXPECT_EQ(pointsOf(component(), 2), (QList<QPointF> { { 0.1, 0.2 }, { 0.5, 0.5 }, { 0.9, 0.8 } }));
    EXPECT_TRUE(component().isSeriesVisible(0));
    EXPECT_TRUE(component().axisLabelsVisible(Qt::Horizontal));
}

TEST_F(LogisticFitChartTest, EqualOutputsDrawButNearlyEqualOnesDoNot)
{
    chart.SetShowDummyPoints(true);
    chart.SetDataSource(curve());
    chart.AddDataSource(rows<double>(0, { { 0, 0.4, 0 }, { 1, 0.4, 1 } }));
    chart.Refresh();
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(component().pointCount(2), 3);

    chart.AddDataSource(rows<double>(0, { { 0, 0.4, 0 }, { 1, 0.4 * (1 + 1e-9), 1 } }));
    chart.Refresh();
    EXPECT_TRUE(noticeShown());
    EXPECT_EQ(component().pointCount(0), 0);
    EXPECT_EQ(component().pointCount(2), 0);
}

TEST_F(LogisticFitChartTest, NewCurveDropsThePointsButKeepsJudgingByTheOldObservations)
{
    chart.SetShowDummyPoints(true);
    chart.SetDataSource(curve());
    chart.AddDataSource(observations());
    chart.Refresh();
    ASSERT_EQ(component().pointCount(0), 2);

    chart.SetDataSource(curve());
    chart.Refresh();
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(component().pointCount(0), 0);
    EXPECT_EQ(component().pointCount(1), 0);
    EXPECT_EQ(component().pointCount(2), 3);

    chart.AddDataSource(rows<double>(0, { { 0, 7.0, 0 }, { 1, 7.0 + 1e-12, 1 } }));
    chart.SetDataSource(curve());
    chart.Refresh();
    EXPECT_TRUE(noticeShown()) << "validity comes from the observations given last";
}

TEST_F(LogisticFitChartTest, HiddenObservationsLeaveTheCurveAloneWithItsOwnPalette)
{
    chart.SetShowDummyPoints(true);
    chart.SetDataSource(curve());
    chart.AddDataSource(observations());
    chart.Refresh();
    const QColor shown = static_cast<QScatterSeries*>(component().series(0))->color();

    chart.SetShowDummyPoints(false);
    chart.Refresh();
    EXPECT_FALSE(component().isSeriesVisible(0));
    EXPECT_FALSE(component().isSeriesVisible(1));
    EXPECT_EQ(component().pointCount(0), 0);
    EXPECT_EQ(component().pointCount(2), 3);
    // The shipped palettes draw the observation points half transparent, and opaque when hidden.
    EXPECT_LT(shown.alpha(), 255);
    EXPECT_EQ(static_cast<QScatterSeries*>(component().series(0))->color().alpha(), 255);
}

TEST_F(LogisticFitChartTest, SwatchColoursDoNotRecolourThePlot)
{
    const QColor before = static_cast<QScatterSeries*>(component().series(0))->color();
    chart.SetOneColor(rgb(10, 200, 30));
    EXPECT_EQ(
        chart.findChild<QFrame*>(QStringLiteral("shOne"))->palette().color(QPalette::Window), QColor(10, 200, 30));
    EXPECT_EQ(static_cast<QScatterSeries*>(component().series(0))->color(), before);
}

TEST(LogisticFitChartColours, DefaultsComeFromTheConfigurationAndWinOverThePalette)
{
    auto configuration = lrv::test::TestConfiguration::install();
    configuration->setColor(QStringLiteral("LogisticRegression.LogisticFit.Chart.Zero"), rgb(200, 20, 20));
    configuration->setColor(QStringLiteral("LogisticRegression.LogisticFit.Chart.Line"), rgb(0, 0, 128));
    LogisticFitChart chart;
    HostConfiguration::set(nullptr);
    EXPECT_EQ(chart.ZeroColor(), rgb(200, 20, 20));
    EXPECT_EQ(chart.LineColor(), rgb(0, 0, 128));
    EXPECT_EQ(chart.OneColor(), 0u) << "a missing key reads as black";
    ChartComponent& component = *chart.chartComponent();
    const QColor zeros = static_cast<QScatterSeries*>(component.series(1))->color();
    EXPECT_EQ(zeros.rgb(), QColor(200, 20, 20).rgb());
    EXPECT_EQ(component.series(2)->pen().color(), QColor(0, 0, 128));
    EXPECT_NE(static_cast<QScatterSeries*>(component.series(0))->color().rgb(), QColor(Qt::black).rgb())
        << "a colour the configuration lacks stays the palette's";
    EXPECT_FALSE(chart.ShowDummyPoints());
    EXPECT_TRUE(chart.ShowLCP());
}

} // namespace
