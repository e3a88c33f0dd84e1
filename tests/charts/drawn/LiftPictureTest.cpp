#include "DrawnTestTables.h"
#include "charts/ChartFont.h"
#include "charts/LegendLine.h"
#include "charts/LiftChart.h"
#include "support/Error.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>

namespace lrv::test {

namespace {
    const QSize kSurface(640, 400);
    const OleColor kRandom = rgb(1, 1, 1);
    const OleColor kIdeal = rgb(2, 2, 2);
    const OleColor kLift = rgb(3, 3, 3);
    const OleColor kCumLift = rgb(4, 4, 4);

    ChartPicture picture(const Table<Variant>& data)
    {
        LiftColors colors;
        colors.series = { 0, kRandom, kIdeal, kLift, kCumLift };
        return LiftChart::liftPicture(data, kSurface, chartFont(), colors);
    }

    std::vector<ChartStroke> strokesOf(const ChartPicture& p, OleColor color)
    {
        std::vector<ChartStroke> strokes;
        std::copy_if(p.series.begin(), p.series.end(), std::back_inserter(strokes),
            [color](const ChartStroke& s) { return s.color == color; });
        return strokes;
    }

    // Three buckets: population %, random, ideal, lift, cumulative lift.
    Table<Variant> threeBuckets(double firstLift = 3.0)
    {
        return variantRows(
            { { 33.3, 1, 2.5, firstLift, 3.0 }, { 66.7, 1, 2.5, 1.0, 2.0 }, { 100, 1, 2.5, 0.2, 1.0 } }, 1);
    }
}

TEST(LiftPicture, VerticalRangeComesFromTheDataWithTenPercentAbove)
{
    const ChartPicture p = picture(threeBuckets());
    ASSERT_FALSE(p.invalidData);
    EXPECT_EQ(p.yLabels[0].text, "0.0");
    EXPECT_EQ(p.yLabels[10].text, "3.3");
    for (int i = 1; i <= 9; ++i)
        EXPECT_TRUE(p.yLabels[i].text.isEmpty());
    // y = 0 lies just above the bottom edge: the scale runs 0.3 % of the range below it.
    EXPECT_NEAR(p.userScale.top(), 3.3, 1e-12);
    EXPECT_NEAR(p.userScale.height(), -3.3 * 1.003, 1e-12);
    EXPECT_GT(p.toSurface(QPointF(0, 0)).y(), p.plot().top() + p.plot().height() - 2);
    // The ideal lift counts from the first row only.
    const auto idealHigh = variantRows({ { 50, 1, 2, 1.5, 1.5 }, { 100, 1, 9, 1, 1 } });
    EXPECT_DOUBLE_EQ(LiftChart::dataRange(idealHigh).MaxY, 2 * 1.1);
}

TEST(LiftPicture, EndLabelsOfTheHorizontalAxisTradePlaces)
{
    const ChartPicture p = picture(threeBuckets());
    const QRect plot = p.plot();
    const double tw = QFontMetricsF(chartFont()).horizontalAdvance(QStringLiteral("0.0"));
    EXPECT_EQ(p.xLabels[0].text, "100");
    EXPECT_DOUBLE_EQ(p.xLabels[0].topLeft.x(), plot.left() + plot.width() - tw / 1.5);
    EXPECT_EQ(p.xLabels[10].text, "0");
    EXPECT_DOUBLE_EQ(p.xLabels[10].topLeft.x(), plot.left() - tw / 1.5);
    auto xs = p.xLabels;
    std::sort(
        xs.begin(), xs.end(), [](const TickLabel& a, const TickLabel& b) { return a.topLeft.x() < b.topLeft.x(); });
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(xs[i].text, QString::number(10 * i));
}

TEST(LiftPicture, NoDataMarkerGivesEmptyLabelsAndNoNotice)
{
    LiftChart chart;
    chart.resize(kSurface);
    chart.show();
    chart.Reset();
    const ChartPicture& p = chart.picture();
    EXPECT_FALSE(p.invalidData);
    EXPECT_TRUE(p.series.empty());
    EXPECT_TRUE(p.points.empty());
    EXPECT_EQ(p.frame.size(), 26u);
    ASSERT_EQ(p.xLabels.size(), 11u);
    for (const auto* labels : { &p.xLabels, &p.yLabels })
        for (const TickLabel& label : *labels)
            EXPECT_TRUE(label.text.isEmpty());
    EXPECT_FALSE(chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"))->isVisible());
}

TEST(LiftPicture, RowsWithoutALiftKeepTheirPointsAndDottedLines)
{
    const ChartPicture p = picture(threeBuckets(-1));
    ASSERT_FALSE(p.invalidData);
    const auto lift = strokesOf(p, kLift);
    const auto cumLift = strokesOf(p, kCumLift);
    ASSERT_EQ(lift.size(), 1u); // the first row starts none
    EXPECT_EQ(lift[0].from, QPointF(66.7, 1.0));
    EXPECT_EQ(lift[0].to, QPointF(100, 0.2));
    ASSERT_EQ(cumLift.size(), 1u);
    EXPECT_EQ(cumLift[0].from, QPointF(66.7, 2.0));
    EXPECT_EQ(strokesOf(p, kRandom).size(), 2u);
    EXPECT_EQ(p.points.size(), 6u); // lift and cumulative lift of every row
    EXPECT_EQ(p.points[0].at, QPointF(33.3, -1));

    const auto ideal = strokesOf(p, kIdeal);
    ASSERT_EQ(ideal.size(), 2u);
    for (const ChartStroke& s : ideal) {
        EXPECT_EQ(s.style, Qt::DotLine);
        EXPECT_EQ(s.from.y(), 2.5);
        EXPECT_EQ(s.to.y(), 2.5);
    }
    EXPECT_EQ(ideal.front().from.x(), 33.3);
    EXPECT_EQ(ideal.back().to.x(), 100);
}

TEST(LiftPicture, TablesThatCannotBeScaledShowInvalidData)
{
    const struct {
        const char* name;
        Table<Variant> table;
    } cases[] = {
        { "no rows", Table<Variant>() },
        { "no positive lift", variantRows({ { 50, 0, 0, 0, 0 }, { 100, 0, 0, 0, 0 } }) },
        { "a text", variantRows({ { 50, 1, 2, "high", 1 }, { 100, 1, 2, 1, 1 } }) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChartPicture p = picture(c.table);
        EXPECT_TRUE(p.invalidData);
        EXPECT_TRUE(p.series.empty());
        EXPECT_EQ(p.frame.size(), 26u);
    }
}

TEST(LiftChart, ColoursByIndexRecolourTheLegendAndRejectOtherIndexes)
{
    LiftChart chart;
    chart.SetColor(3, rgb(9, 8, 7));
    EXPECT_EQ(chart.Color(3), rgb(9, 8, 7));
    EXPECT_EQ(chart.findChild<LegendLine*>(QStringLiteral("lnLiftLines(3)"))->BorderColor(), rgb(9, 8, 7));
    EXPECT_THROW(chart.SetColor(5, 0), Error);
    EXPECT_THROW(chart.SetColor(0, 0), Error);

    chart.SetStats(0.75, 1);
    EXPECT_EQ(chart.findChild<QLabel*>(QStringLiteral("lblABC"))->text(), "0.75");
    EXPECT_EQ(chart.findChild<QLabel*>(QStringLiteral("lblLRQ"))->text(), "1");
}

} // namespace lrv::test
