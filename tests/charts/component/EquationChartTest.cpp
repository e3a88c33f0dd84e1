#include "../ScoredTables.h"
#include "charts/ChartComponent.h"
#include "charts/SlopeChart.h"
#include "charts/TrendlineChart.h"

#include <gtest/gtest.h>

#include <QChart>
#include <QLineEdit>
#include <QToolTip>
#include <QValueAxis>
#include <QXYSeries>

using namespace lrv;

namespace {

// A bucket table (rows from 1) with the upper and lower boundaries, the y value as both the log odds (the slope
// chart's) and the positive percent (the trend line's), and 2·x + 1 as the fitted log odds.
Table<Variant> buckets(const std::vector<std::array<double, 3>>& xUpperLowerY)
{
    TableBuilder<Variant> builder(1, int(xUpperLowerY.size()), 0, index(DecileColumn::Last));
    for (std::size_t i = 0; i < xUpperLowerY.size(); ++i) {
        const int row = int(i) + 1;
        builder.set(row, index(LogOddsColumn::Bucket), row);
        builder.set(row, index(LogOddsColumn::UpperBoundary), xUpperLowerY[i][0]);
        builder.set(row, index(LogOddsColumn::LowerBoundary), xUpperLowerY[i][1]);
        builder.set(row, index(LogOddsColumn::LogOdds), xUpperLowerY[i][2]);
        builder.set(row, index(DecileColumn::PositivePercent), xUpperLowerY[i][2]);
        builder.set(row, index(LogOddsColumn::FittedLogOdds), 2 * xUpperLowerY[i][0] + 1);
    }
    return builder.build();
}

template <typename Chart> class EquationChartTest : public ::testing::Test {
protected:
    EquationChartTest()
    {
        chart.resize(600, 400);
        chart.show();
    }
    ChartComponent& component() { return *chart.chartComponent(); }
    bool noticeShown() const
    {
        return !chart.template findChild<QLineEdit*>(QStringLiteral("txtInvalidData"))->isHidden();
    }
    void draw(const std::vector<std::array<double, 3>>& data)
    {
        chart.SetDataSource(buckets(data));
        chart.Refresh();
    }
    Chart chart;
};

using EquationCharts = ::testing::Types<SlopeChart, TrendlineChart>;
TYPED_TEST_SUITE(EquationChartTest, EquationCharts);

TYPED_TEST(EquationChartTest, PointsCarryNumberedHints)
{
    this->draw({ { 0.9, 0.7, 2.5 }, { 0.7, 0.4, 1.25 }, { 0.4, 0.1, -0.5 } });
    EXPECT_FALSE(this->noticeShown());
    EXPECT_EQ(this->component().series(0)->points(), (QList<QPointF> { { 0.9, 2.5 }, { 0.7, 1.25 }, { 0.4, -0.5 } }));
    EXPECT_EQ(this->component().pointHint(0, 2), QStringLiteral("Point 3 (0.4, -0.5)"));
    // The line series reports a place between points: the nearest point's hint shows.
    emit this->component().series(0)->hovered(QPointF(0.68, 1.2), true);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Point 2 (0.7, 1.25)"));
    emit this->component().series(0)->hovered(QPointF(0.68, 1.2), false);
}

TYPED_TEST(EquationChartTest, NoDataTableChangesNothing)
{
    this->draw({ { 0.9, 0.7, 2.5 }, { 0.4, 0.1, -0.5 } });
    const QList<QPointF> drawn = this->component().series(0)->points();
    this->chart.Reset(); // the placeholder is marked as holding no data
    EXPECT_EQ(this->component().series(0)->points(), drawn);
    EXPECT_FALSE(this->noticeShown());

    this->draw({ { 0.5, 0.5, 1 }, { 0.5 + 1e-12, 0.5, 2 } });
    ASSERT_TRUE(this->noticeShown());
    TableBuilder<Variant> noData(buckets({ { 0.5, 0.1, 1 }, { 0.9, 0.2, 2 } }));
    noData.set(1, 0, -9999999999.0);
    this->chart.SetDataSource(noData.build());
    this->chart.Refresh();
    EXPECT_TRUE(this->noticeShown()) << "not even the notice changes";
}

TYPED_TEST(EquationChartTest, LowerBoundaryPlacesPointsAndLine)
{
    this->chart.SetDataSource(buckets({ { 0.9, 0.7, 2 }, { 0.7, 0.4, 1 }, { 0.4, 0.1, 0 } }));
    this->chart.SetEquationValues(2, 1, 0.9, true);
    this->chart.Refresh();
    EXPECT_EQ(this->component().series(0)->points(), (QList<QPointF> { { 0.7, 2 }, { 0.4, 1 }, { 0.1, 0 } }));
    const QList<QPointF> line = this->component().series(1)->points();
    ASSERT_EQ(line.size(), 2);
    EXPECT_DOUBLE_EQ(line[0].x(), 0.7);
    EXPECT_DOUBLE_EQ(line[1].x(), 0.1);

    // Only the lower boundaries being constant makes the data unplottable now.
    this->draw({ { 0.9, 0.3, 2 }, { 0.4, 0.3 * (1 + 1e-10), 1 } });
    EXPECT_TRUE(this->noticeShown());
}

TYPED_TEST(EquationChartTest, UndefinedFitDrawsItsLineWithoutStretchingTheAxis)
{
    TableBuilder<Variant> table(buckets({ { 0.9, 0.7, 2 }, { 0.4, 0.1, 0 } }));
    table.set(1, index(LogOddsColumn::FittedLogOdds), -9999);
    table.set(2, index(LogOddsColumn::FittedLogOdds), -9999);
    this->chart.SetDataSource(table.build());
    this->chart.SetEquationValues(-9999, -9999, -9999, false);
    this->chart.Refresh();
    const QList<QPointF> line = this->component().series(1)->points();
    ASSERT_EQ(line.size(), 2);
    EXPECT_LE(line[0].y(), -9999);
    EXPECT_GT(this->component().axis(Qt::Vertical)->min(), -10) << "the axis follows the buckets";
}

TEST(EquationCharts, SlopeLineComesFromTheFittedLogOddsTrendLineFromTheEquationOnZeroUntilItIsKnown)
{
    SlopeChart slope;
    slope.SetDataSource(buckets({ { 0.9, 0.7, 2 }, { 0.4, 0.1, 0 } }));
    slope.Refresh();
    EXPECT_EQ(slope.chartComponent()->series(1)->points(), (QList<QPointF> { { 0.9, 2.8 }, { 0.4, 1.8 } }));

    TrendlineChart trend;
    trend.SetDataSource(buckets({ { 0.9, 0.7, 80 }, { 0.5, 0.3, 40 }, { 0.2, 0.1, 10 } }));
    trend.Refresh();
    EXPECT_EQ(trend.chartComponent()->series(1)->points(), (QList<QPointF> { { 0.9, 0 }, { 0.2, 0 } }));
    trend.SetEquationValues(100, -5, 0.95, false);
    trend.Refresh();
    EXPECT_EQ(trend.chartComponent()->series(1)->points(), (QList<QPointF> { { 0.9, 85 }, { 0.2, 15 } }));
}

} // namespace
