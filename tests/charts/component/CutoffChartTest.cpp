#include "charts/CutoffChart.h"

#include "ComponentTestSupport.h"
#include "common/TestConfiguration.h"
#include "entry/ControlRegistry.h"
#include "host/HostConfiguration.h"

#include <gtest/gtest.h>

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

using namespace lrv;
using lrv::test::pointsOf;
using lrv::test::rows;

namespace {

class CutoffChartTest : public ::testing::Test {
protected:
    CutoffChartTest() { chart.resize(640, 420); }

    ChartComponent& component() { return *chart.chartComponent(); }
    bool noticeShown() const { return !chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"))->isHidden(); }
    void draw(const Table<double>& data)
    {
        chart.SetDataSource(data);
        chart.Refresh();
    }

    CutoffChart chart;
};

// Output, TPR, TNR, FPR, FNR per cutoff; the last row repeats the one before and closes the table.
Table<double> fourCutoffs()
{
    return rows<double>(0,
        { { 0.1, 1.0, 0.0, 1.0, 0.0 }, { 0.4, 0.8, 0.5, 0.5, 0.2 }, { 0.6, 0.5, 0.8, 0.2, 0.5 },
            { 0.9, 0.1, 1.0, 0.0, 0.9 }, { 0.9, 0.1, 1.0, 0.0, 0.9 } });
}

TEST_F(CutoffChartTest, EachRateColumnFillsItsSeriesAndTheClosingRowIsLeftOut)
{
    draw(fourCutoffs());
    EXPECT_FALSE(noticeShown());
    for (int series = 0; series < 4; ++series) {
        SCOPED_TRACE(series);
        const QList<QPointF> points = pointsOf(component(), series);
        ASSERT_EQ(points.size(), 4);
        for (int row = 0; row < 4; ++row) {
            EXPECT_DOUBLE_EQ(points[row].x(), lrv::at(fourCutoffs(), row, lrv::CutoffColumn::Output));
            EXPECT_DOUBLE_EQ(points[row].y(), fourCutoffs().at(row, series + 1));
        }
    }
}

TEST_F(CutoffChartTest, LastRowIsNeverPlottedEvenWhenItDiffers)
{
    draw(rows<double>(0, { { 0.2, 1, 0, 1, 0 }, { 0.7, 0.5, 0.5, 0.5, 0.5 }, { 5.0, 0.3, 0.3, 0.3, 0.3 } }));
    ASSERT_EQ(pointsOf(component(), 2).size(), 2);
    EXPECT_DOUBLE_EQ(pointsOf(component(), 2).last().x(), 0.7);
    EXPECT_LT(component().axis(Qt::Horizontal)->max(), 5.0);
}

TEST_F(CutoffChartTest, EqualCutoffsStepBackToDistinctPoints)
{
    draw(rows<double>(0,
        { { 0.2, 1, 0, 1, 0 }, { 0.5, 0.9, 0.3, 0.7, 0.1 }, { 0.5, 0.8, 0.4, 0.6, 0.2 }, { 0.5, 0.7, 0.5, 0.5, 0.3 },
            { 0.8, 0.2, 0.9, 0.1, 0.8 }, { 0.8, 0.2, 0.9, 0.1, 0.8 } }));
    const double e = 0.2 * 1e-14; // |smallest plotted cutoff| · 1e-14
    for (int series = 0; series < 4; ++series) {
        SCOPED_TRACE(series);
        const QList<QPointF> points = pointsOf(component(), series);
        ASSERT_EQ(points.size(), 5);
        EXPECT_EQ(points[1].x(), 0.5);
        EXPECT_EQ(points[2].x(), 0.5 - e);
        EXPECT_EQ(points[3].x(), 0.5 - 2 * e);
        EXPECT_NE(points[2].x(), points[3].x());
        EXPECT_EQ(points[4].x(), 0.8);
    }
}

TEST_F(CutoffChartTest, EqualCutoffsAtZeroStepBackByTheFixedAmount)
{
    draw(rows<double>(0, { { 0, 1, 0, 1, 0 }, { 0, 0.9, 0.2, 0.8, 0.1 }, { 1, 0, 1, 0, 1 }, { 1, 0, 1, 0, 1 } }));
    const QList<QPointF> points = pointsOf(component(), 0);
    ASSERT_EQ(points.size(), 3);
    EXPECT_EQ(points[0].x(), 0.0);
    EXPECT_EQ(points[1].x(), -1e-14);
}

TEST_F(CutoffChartTest, UnplottableTablesShowTheNoticeAndNoPoints)
{
    const struct {
        const char* name;
        Table<double> data;
    } cases[] = {
        { "no table", Table<double>() },
        { "only the closing row", rows<double>(0, { { 0.5, 1, 0, 1, 0 } }) },
        { "equal ends", rows<double>(0, { { 0.5, 1, 0, 1, 0 }, { 0.5, 0, 1, 0, 1 }, { 0.9, 0, 1, 0, 1 } }) },
        { "near-constant cutoffs",
            rows<double>(0, { { 1.0, 1, 0, 1, 0 }, { 1.0 + 1e-10, 0, 1, 0, 1 }, { 1.0 + 1e-10, 0, 1, 0, 1 } }) },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        draw(fourCutoffs());
        ASSERT_FALSE(noticeShown());
        draw(test.data);
        EXPECT_TRUE(noticeShown());
        for (int series = 0; series < 4; ++series)
            EXPECT_EQ(component().pointCount(series), 0);
    }
}

TEST_F(CutoffChartTest, MarkersFollowTheirFlagsAndTheNoCutoffValue)
{
    chart.SetDataSource(fourCutoffs());
    chart.SetOptimumModelValue(0.55);
    chart.SetLogisticCutoffPoint(0.45); // refreshes by itself
    EXPECT_FALSE(chart.ShowOCP());
    EXPECT_FALSE(component().isConstantLineVisible(0)) << "OCP marker shown before ShowOCP was set";
    EXPECT_TRUE(component().isConstantLineVisible(1));
    EXPECT_DOUBLE_EQ(component().constantLineValue(1), 0.45);
    EXPECT_DOUBLE_EQ(component().constantLine(1)->at(0).x(), 0.45);

    chart.SetShowOCP(true);
    chart.Refresh();
    EXPECT_TRUE(component().isConstantLineVisible(0));
    EXPECT_DOUBLE_EQ(component().constantLine(0)->at(1).x(), 0.55);

    chart.SetShowOCP(false);
    chart.SetOptimumModelValue(0.3);
    chart.SetLogisticCutoffPoint(-99999);
    EXPECT_TRUE(chart.ShowLCP());
    EXPECT_FALSE(component().isConstantLineVisible(0));
    EXPECT_FALSE(component().isConstantLineVisible(1)) << "-99999 means no logistic cutoff point";
    EXPECT_FALSE(component().constantLine(1)->isVisible());

    chart.SetShowLCP(false);
    chart.SetLogisticCutoffPoint(0.45);
    EXPECT_FALSE(component().isConstantLineVisible(1));
}

TEST_F(CutoffChartTest, AxisLabelsShowAfterDrawingAndHideOnReset)
{
    EXPECT_FALSE(component().axisLabelsVisible(Qt::Horizontal));
    draw(fourCutoffs());
    EXPECT_TRUE(component().axisLabelsVisible(Qt::Horizontal));
    EXPECT_EQ(component().axisLabelFormat(Qt::Horizontal), 0);

    draw(rows<double>(0, { { 2e6, 1, 0, 1, 0 }, { 3e6, 0, 1, 0, 1 }, { 3e6, 0, 1, 0, 1 } }));
    EXPECT_EQ(component().axisLabelFormat(Qt::Horizontal), 20);
    EXPECT_TRUE(component().ticks(Qt::Horizontal).scientific);

    // Reset empties the series and leaves the markers as they were.
    chart.SetShowOCP(true);
    chart.SetOptimumModelValue(2.5e6);
    chart.Refresh();
    chart.Reset();
    EXPECT_FALSE(component().axisLabelsVisible(Qt::Horizontal));
    for (int series = 0; series < 4; ++series)
        EXPECT_EQ(component().pointCount(series), 0);
    EXPECT_TRUE(component().isConstantLineVisible(0));
}

TEST_F(CutoffChartTest, LegendListsOnlyTheMarkersDrawn)
{
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    const auto listed = [this](int line) {
        QCoreApplication::processEvents();
        const QList<QLegendMarker*> markers = component().chart()->legend()->markers(component().constantLine(line));
        return !markers.isEmpty() && markers.first()->isVisible();
    };
    chart.SetDataSource(fourCutoffs());
    chart.SetShowOCP(true);
    chart.SetOptimumModelValue(0.5);
    chart.SetLogisticCutoffPoint(-99999);
    EXPECT_TRUE(listed(0));
    EXPECT_FALSE(listed(1));
    // A marker beyond the plotted cutoffs is not drawn either.
    chart.SetLogisticCutoffPoint(40);
    EXPECT_FALSE(listed(1));
    chart.SetShowOCP(false);
    chart.SetLogisticCutoffPoint(0.3);
    EXPECT_FALSE(listed(0));
    EXPECT_TRUE(listed(1));
}

TEST(CutoffChartColours, ConfiguredColoursWinOverThePaletteAndBackColorReachesTheLegend)
{
    auto configuration = lrv::test::TestConfiguration::install();
    configuration->setColor(QStringLiteral("LogisticRegression.Cutoff.Chart.OCP"), rgb(1, 2, 3));
    configuration->setColor(QStringLiteral("LogisticRegression.Cutoff.Chart.FPR"), rgb(4, 5, 6));
    CutoffChart chart;
    HostConfiguration::set(nullptr);
    ChartComponent& component = *chart.chartComponent();
    EXPECT_EQ(component.constantLine(0)->pen().color(), QColor(1, 2, 3));
    EXPECT_EQ(component.series(2)->pen().color(), QColor(4, 5, 6));
    EXPECT_NE(component.series(0)->pen().color(), QColor(Qt::black)) << "unnamed colours stay the palette's";

    chart.SetBackColor(rgb(250, 240, 200));
    EXPECT_EQ(chart.findChild<QWidget*>(QStringLiteral("picLegend"))->palette().color(QPalette::Window),
        QColor(250, 240, 200));
}

TEST_F(CutoffChartTest, RegisteredControlHasItsNamedParts)
{
    std::unique_ptr<QWidget> control(
        ControlRegistry::create(ControlRegistry::progIdOf(QStringLiteral("CutoffChart")), nullptr));
    ASSERT_TRUE(control);
    auto* cutoff = dynamic_cast<ICutoffChart*>(control.get());
    ASSERT_NE(cutoff, nullptr);
    EXPECT_TRUE(cutoff->ShowLCP());
    EXPECT_NE(control->findChild<ChartComponent*>(QStringLiteral("ChartControl")), nullptr);
    EXPECT_EQ(control->findChild<QLineEdit*>(QStringLiteral("txtInvalidData"))->text(),
        QStringLiteral("Unable to draw the chart"));
    EXPECT_EQ(control->findChild<ChartComponent*>()->seriesCount(), 4);
}

} // namespace
