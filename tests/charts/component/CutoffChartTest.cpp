// The two charts over model outputs: the rates by cutoff and the logistic fit.
#include "charts/CutoffChart.h"

#include "../ScoredTables.h"
#include "charts/ChartComponent.h"
#include "charts/LogisticFitChart.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"

#include <gtest/gtest.h>

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>
#include <QXYSeries>

using namespace lrv;
using lrv::test::rows;

namespace {

bool noticeShown(const QWidget& chart)
{
    return !chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"))->isHidden();
}

void draw(CutoffChart& chart, const Table<double>& data)
{
    chart.SetDataSource(data);
    chart.Refresh();
}

// Output, TPR, TNR, FPR, FNR per cutoff; the last row closes the table and is never plotted, even when it differs.
Table<double> fourCutoffs()
{
    return rows<double>(0,
        { { 0.1, 1.0, 0.0, 1.0, 0.0 }, { 0.4, 0.8, 0.5, 0.5, 0.2 }, { 0.6, 0.5, 0.8, 0.2, 0.5 },
            { 0.9, 0.1, 1.0, 0.0, 0.9 }, { 5.0, 0.1, 1.0, 0.0, 0.9 } });
}

TEST(CutoffChart, EachRateColumnFillsItsSeriesAndTheClosingRowIsLeftOut)
{
    CutoffChart chart;
    draw(chart, fourCutoffs());
    EXPECT_FALSE(noticeShown(chart));
    for (int series = 0; series < 4; ++series) {
        SCOPED_TRACE(series);
        const QList<QPointF> points = chart.chartComponent()->series(series)->points();
        ASSERT_EQ(points.size(), 4);
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(points[row], QPointF(fourCutoffs().at(row, 0), fourCutoffs().at(row, series + 1)));
    }
    EXPECT_LT(chart.chartComponent()->axis(Qt::Horizontal)->max(), 5.0);
}

TEST(CutoffChart, EqualCutoffsStepBackToDistinctPoints)
{
    // The step is |smallest plotted cutoff| · 1e-14, or 1e-14 when that is 0.
    for (const auto& [cutoff, e] : { std::pair { 0.5, 0.5e-14 }, std::pair { 0.0, 1e-14 } }) {
        SCOPED_TRACE(cutoff);
        CutoffChart chart;
        draw(chart,
            rows<double>(0,
                { { cutoff, 0.9, 0.3, 0.7, 0.1 }, { cutoff, 0.8, 0.4, 0.6, 0.2 }, { cutoff, 0.7, 0.5, 0.5, 0.3 },
                    { 0.8, 0.2, 0.9, 0.1, 0.8 }, { 0.8, 0.2, 0.9, 0.1, 0.8 } }));
        for (int series = 0; series < 4; ++series) {
            const QList<QPointF> points = chart.chartComponent()->series(series)->points();
            ASSERT_EQ(points.size(), 4);
            EXPECT_EQ(points[0].x(), cutoff);
            EXPECT_EQ(points[1].x(), cutoff - e);
            EXPECT_EQ(points[2].x(), cutoff - 2 * e);
            EXPECT_EQ(points[3].x(), 0.8);
        }
    }
}

TEST(CutoffChart, NoTableReplacesTheCurvesByTheNoticeAndResetHidesTheLabels)
{
    CutoffChart chart;
    EXPECT_FALSE(chart.chartComponent()->axisLabelsVisible(Qt::Horizontal));
    draw(chart, fourCutoffs());
    EXPECT_TRUE(chart.chartComponent()->axisLabelsVisible(Qt::Horizontal));
    draw(chart, Table<double>());
    EXPECT_TRUE(noticeShown(chart));
    EXPECT_EQ(chart.chartComponent()->pointCount(3), 0);
    draw(chart, fourCutoffs());
    chart.Reset();
    EXPECT_FALSE(chart.chartComponent()->axisLabelsVisible(Qt::Horizontal));
    EXPECT_EQ(chart.chartComponent()->pointCount(0), 0);
}

TEST(CutoffChart, MarkersFollowTheirFlagsAndTheNoCutoffValueAndOnlyDrawnOnesAreListed)
{
    CutoffChart chart;
    chart.resize(640, 420);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    ChartComponent& component = *chart.chartComponent();
    const auto listed = [&](int line) {
        QCoreApplication::processEvents();
        const QList<QLegendMarker*> markers = component.chart()->legend()->markers(component.constantLine(line));
        return !markers.isEmpty() && markers.first()->isVisible();
    };
    chart.SetDataSource(fourCutoffs());
    chart.SetOptimumModelValue(0.55);
    chart.SetLogisticCutoffPoint(0.45); // refreshes by itself
    EXPECT_FALSE(component.isConstantLineVisible(0) || listed(0)) << "OCP marker shown before ShowOCP was set";
    EXPECT_TRUE(component.isConstantLineVisible(1) && listed(1));
    EXPECT_DOUBLE_EQ(component.constantLine(1)->at(0).x(), 0.45);

    chart.SetShowOCP(true);
    chart.SetLogisticCutoffPoint(kNoCutoffPoint);
    EXPECT_TRUE(component.isConstantLineVisible(0) && listed(0));
    EXPECT_DOUBLE_EQ(component.constantLine(0)->at(1).x(), 0.55);
    EXPECT_FALSE(component.isConstantLineVisible(1) || listed(1));
    chart.SetLogisticCutoffPoint(40);
    EXPECT_FALSE(listed(1)) << "a marker beyond the plotted cutoffs is not drawn";

    chart.SetShowLCP(false);
    chart.SetLogisticCutoffPoint(0.45);
    EXPECT_FALSE(component.isConstantLineVisible(1));
    chart.Reset();
    EXPECT_TRUE(component.isConstantLineVisible(0)) << "Reset leaves the markers as they were";
}

TEST(ChartColours, ConfiguredColoursWinOverThePaletteAndOthersStayThePalettes)
{
    auto configuration = lrv::test::TestConfiguration::install();
    configuration->setColor(QStringLiteral("LogisticRegression.Cutoff.Chart.OCP"), rgb(1, 2, 3));
    configuration->setColor(QStringLiteral("LogisticRegression.Cutoff.Chart.FPR"), rgb(4, 5, 6));
    configuration->set(QStringLiteral("LogisticRegression.Cutoff.Chart.TNR.R"), 300); // beyond the top: full red
    configuration->set(QStringLiteral("LogisticRegression.Cutoff.Chart.TNR.G"), 20.4);
    configuration->set(QStringLiteral("LogisticRegression.Cutoff.Chart.TNR.B"), -5);
    CutoffChart cutoff;
    HostConfiguration::set(nullptr);
    const ChartComponent& rates = *cutoff.chartComponent();
    EXPECT_EQ(rates.constantLine(0)->pen().color(), QColor(1, 2, 3));
    EXPECT_EQ(rates.series(1)->pen().color(), QColor(255, 20, 0));
    EXPECT_EQ(rates.series(2)->pen().color(), QColor(4, 5, 6));
    EXPECT_NE(rates.series(0)->pen().color(), QColor(Qt::black));
}

// The logistic curve as rows of the probability table up to P(0), and observations: level, output, class.
Table<double> curve()
{
    return rows<double>(
        0, { { 1, 0, 0.1, 0, 0, 0.2, 0.8 }, { 2, 1, 0.5, 0, 0, 0.5, 0.5 }, { 3, 1, 0.9, 0, 0, 0.8, 0.2 } });
}

void drawFit(LogisticFitChart& chart, const Table<double>& observations)
{
    chart.SetShowDummyPoints(true);
    chart.SetDataSource(curve());
    if (observations.rowHigh() >= observations.rowLow())
        chart.AddDataSource(observations);
    chart.Refresh();
}

TEST(LogisticFitChart, ObservationsSplitByClassBesideTheCurveHideOnRequestAndANewCurveDropsThem)
{
    LogisticFitChart chart;
    drawFit(chart, {});
    EXPECT_TRUE(noticeShown(chart)) << "no curve without the observations' range";
    EXPECT_EQ(chart.chartComponent()->pointCount(2), 0);

    drawFit(chart, rows<double>(0, { { 1, 0.2, 1 }, { 0, 0.3, 0 }, { 1, 0.4, 0.5 }, { 1, 0.5, -1 }, { 0, 0.8, 0 } }));
    EXPECT_FALSE(noticeShown(chart));
    EXPECT_EQ(chart.chartComponent()->series(0)->points(), (QList<QPointF> { { 0.2, 1 }, { 0.4, 1 }, { 0.5, 1 } }))
        << "class 0.5 and -1 count as class 1";
    EXPECT_EQ(chart.chartComponent()->series(1)->points(), (QList<QPointF> { { 0.3, 0 }, { 0.8, 0 } }));
    EXPECT_EQ(
        chart.chartComponent()->series(2)->points(), (QList<QPointF> { { 0.1, 0.2 }, { 0.5, 0.5 }, { 0.9, 0.8 } }));

    chart.SetShowDummyPoints(false);
    chart.Refresh();
    EXPECT_FALSE(chart.chartComponent()->isSeriesVisible(0) || chart.chartComponent()->isSeriesVisible(1));
    EXPECT_EQ(chart.chartComponent()->pointCount(0), 0);
    EXPECT_EQ(chart.chartComponent()->pointCount(2), 3);

    chart.SetShowDummyPoints(true);
    chart.SetDataSource(curve()); // a new curve drops the observations' points
    chart.Refresh();
    EXPECT_FALSE(noticeShown(chart));
    EXPECT_EQ(chart.chartComponent()->pointCount(0) + chart.chartComponent()->pointCount(1), 0);
    EXPECT_EQ(chart.chartComponent()->pointCount(2), 3);
    chart.AddDataSource(rows<double>(0, { { 0, 7.0, 0 }, { 1, 7.0 + 1e-12, 1 } }));
    chart.SetDataSource(curve());
    chart.Refresh();
    EXPECT_TRUE(noticeShown(chart)) << "validity comes from the observations given last";
}

} // namespace
