#include "DrawnTestTables.h"
#include "charts/ChartFont.h"
#include "charts/GainsChart.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <QFontMetricsF>

namespace lrv::test {

namespace {
    const QSize kSurface(640, 400);
    const OleColor kLift = rgb(0, 0, 200);
    const OleColor kDiagonal = rgb(100, 100, 100);
    const OleColor kOptimum = rgb(0, 150, 0);

    ChartPicture picture(const Table<Variant>& data)
    {
        GainsColors colors;
        colors.lift = kLift;
        colors.diagonal = kDiagonal;
        colors.optimum = kOptimum;
        return GainsChart::gainsPicture(data, kSurface, chartFont(), colors);
    }

    // A gains row: marker, % positives captured, % population and the cumulative positive fraction.
    std::vector<Variant> gainsRow(Variant marker, double captured, double population, double fraction = 0)
    {
        std::vector<Variant> row(kCountOf<GainsColumn>, Variant(0.0));
        row[index(GainsColumn::Bucket)] = marker;
        row[index(GainsColumn::CumulativeRate)] = fraction;
        row[index(GainsColumn::CumulativePositivePercent)] = captured;
        row[index(GainsColumn::CumulativePopulationPercent)] = population;
        return row;
    }

    std::vector<ChartStroke> strokesOf(const ChartPicture& p, OleColor color)
    {
        std::vector<ChartStroke> strokes;
        std::copy_if(p.series.begin(), p.series.end(), std::back_inserter(strokes),
            [color](const ChartStroke& s) { return s.color == color; });
        return strokes;
    }

    Table<Variant> threeBuckets(double fraction)
    {
        return variantRows(
            { gainsRow(0, 0, 0), gainsRow(1, 60, 33.3), gainsRow(2, 90, 66.7), gainsRow(3, 100, 100, fraction) });
    }
}

TEST(GainsPicture, PercentLabelsOnBothAxesStandClearOfTheTicks)
{
    const ChartPicture p = picture(realisticGainsTable());
    const QRect plot = p.plot();
    const QStringList texts = { "0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100" };
    auto xs = p.xLabels;
    std::sort(
        xs.begin(), xs.end(), [](const TickLabel& a, const TickLabel& b) { return a.topLeft.x() < b.topLeft.x(); });
    auto ys = p.yLabels;
    std::sort(
        ys.begin(), ys.end(), [](const TickLabel& a, const TickLabel& b) { return a.topLeft.y() > b.topLeft.y(); });
    ASSERT_EQ(xs.size(), 11u);
    ASSERT_EQ(ys.size(), 11u);
    for (int i = 0; i <= 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(xs[i].text, texts[i]);
        EXPECT_EQ(ys[i].text, texts[i]);
    }
    const QFontMetricsF metrics(chartFont());
    for (const TickLabel& label : p.yLabels) {
        SCOPED_TRACE(label.text.toStdString());
        EXPECT_LT(label.topLeft.x() + metrics.horizontalAdvance(label.text), plot.left() - 5);
        EXPECT_GT(label.topLeft.x(), plot.left() - 45);
    }
}

TEST(GainsPicture, PercentagesAreDrawnDirectlyAndEveryRowGetsAPoint)
{
    const ChartPicture p = picture(threeBuckets(0.3));
    EXPECT_EQ(p.toSurface(QPointF(0, 100)), QPointF(p.plot().topLeft()));
    EXPECT_DOUBLE_EQ(p.toSurface(QPointF(100, -0.5)).y(), p.plot().top() + p.plot().height());
    const auto curve = strokesOf(p, kLift);
    ASSERT_EQ(curve.size(), 3u);
    EXPECT_EQ(curve[1].from, QPointF(33.3, 60));
    EXPECT_EQ(curve[1].to, QPointF(66.7, 90));
    ASSERT_EQ(p.points.size(), 4u); // the last row included
    EXPECT_EQ(p.points.back().at, QPointF(100, 100));
}

TEST(GainsPicture, IdealCurveReachesOneHundredAtThePositiveShareAndStaysFlat)
{
    const auto ideal = strokesOf(picture(threeBuckets(0.25)), kOptimum);
    ASSERT_EQ(ideal.size(), 100u);
    for (const ChartStroke& s : ideal) {
        SCOPED_TRACE(s.from.x());
        if (s.to.x() < 25)
            EXPECT_LT(s.to.y(), 100);
        else
            EXPECT_DOUBLE_EQ(s.to.y(), 100);
        EXPECT_DOUBLE_EQ(s.from.y(), std::min(s.from.x() * 4, 100.0));
    }
    EXPECT_DOUBLE_EQ(ideal[24].to.x(), 25);
    EXPECT_DOUBLE_EQ(ideal[24].to.y(), 100);
    EXPECT_DOUBLE_EQ(ideal[23].to.y(), 96);

    EXPECT_TRUE(strokesOf(picture(threeBuckets(0)), kOptimum).empty());
}

TEST(GainsPicture, RowsWithAMarkerAtMinusOneStartNoSegmentAndGetNoPoint)
{
    const ChartPicture p = picture(
        variantRows({ gainsRow(0, 0, 0), gainsRow(-1, 60, 33.3), gainsRow(2, 90, 66.7), gainsRow(-1, 100, 100) }));
    const auto curve = strokesOf(p, kLift);
    ASSERT_EQ(curve.size(), 2u);
    EXPECT_EQ(curve[0].to, QPointF(33.3, 60));
    EXPECT_EQ(curve[1].from, QPointF(66.7, 90));
    ASSERT_EQ(p.points.size(), 2u);
    EXPECT_EQ(p.points[0].at, QPointF(0, 0));
    EXPECT_EQ(p.points[1].at, QPointF(66.7, 90));
}

TEST(GainsPicture, CellsThatAreNotNumbersShowInvalidData)
{
    auto row = gainsRow(1, 50, 50);
    row[9] = "fifty";
    const ChartPicture p = picture(variantRows({ gainsRow(0, 0, 0), row }));
    EXPECT_TRUE(p.invalidData);
    EXPECT_TRUE(p.series.empty() && p.points.empty());
    EXPECT_TRUE(picture(Table<Variant>()).invalidData);
}

TEST(GainsChart, ResetPutsEveryPointAtTheOriginWithoutAnIdealCurve)
{
    GainsChart chart;
    chart.resize(kSurface);
    chart.Reset();
    const ChartPicture& p = chart.picture();
    EXPECT_FALSE(p.invalidData);
    EXPECT_EQ(p.points.size(), 11u);
    for (const ChartPoint& point : p.points)
        EXPECT_EQ(point.at, QPointF(0, 0));
    EXPECT_EQ(p.series.size(), 11u); // the diagonal and ten segments of no length, no ideal curve
}

} // namespace lrv::test
