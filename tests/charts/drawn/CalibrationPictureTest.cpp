#include "charts/CalibrationChart.h"
#include "charts/ChartFont.h"
#include "host/UncertaintyFigures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace lrv::test {

namespace {
    const QSize kSurface(640, 400);
    const OleColor kFrame = rgb(10, 20, 30);
    const OleColor kBuckets = rgb(200, 0, 0);
    const OleColor kDiagonal = rgb(0, 0, 200);
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

    struct Bucket {
        double probability, rate, low, high;
    };

    ChartPicture picture(const std::vector<Bucket>& buckets)
    {
        TableBuilder<double> table(1, int(buckets.size()), 0, index(CalibrationColumn::Last));
        for (int row = 1; row <= int(buckets.size()); ++row) {
            const Bucket& b = buckets[std::size_t(row - 1)];
            table.set(row, index(CalibrationColumn::MeanProbability), b.probability);
            table.set(row, index(CalibrationColumn::ObservedRate), b.rate);
            table.set(row, index(CalibrationColumn::WilsonLow), b.low);
            table.set(row, index(CalibrationColumn::WilsonHigh), b.high);
        }
        CalibrationColors colors;
        colors.frame = kFrame;
        colors.buckets = kBuckets;
        colors.diagonal = kDiagonal;
        return CalibrationChart::calibrationPicture(table.build(), kSurface, chartFont(), colors);
    }

    /// The vertical strokes in the frame colour inside the plot: the error bars.
    std::vector<ChartStroke> errorBars(const ChartPicture& p)
    {
        std::vector<ChartStroke> bars;
        for (const ChartStroke& s : p.series)
            if (s.color == kFrame && s.from.x() == s.to.x())
                bars.push_back(s);
        return bars;
    }
}

TEST(CalibrationPicture, BucketsStandAtTheirProbabilityAndRateWithTheirIntervalAsBars)
{
    // Buckets in ranking order (highest probability first), as the host delivers them.
    const ChartPicture p = picture({ { 0.8, 0.75, 0.6, 0.86 }, { 0.5, 0.55, 0.4, 0.7 }, { 0.1, 0.0, 0.0, 0.16 } });
    ASSERT_FALSE(p.invalidData);
    const double W = p.plot().width(), H = p.plot().height();
    ASSERT_EQ(p.points.size(), 3u);
    // The curve joins the buckets from the lowest probability up.
    EXPECT_EQ(p.points.front().at, QPointF(0.1 * W, H));
    EXPECT_EQ(p.points.back().at, QPointF(0.8 * W, H - 0.75 * H));
    const std::vector<ChartStroke> bars = errorBars(p);
    ASSERT_EQ(bars.size(), 3u);
    for (const ChartStroke& bar : bars) {
        const auto point = std::find_if(
            p.points.begin(), p.points.end(), [&](const ChartPoint& c) { return c.at.x() == bar.from.x(); });
        ASSERT_NE(point, p.points.end());
        // The bar reaches from the interval's low end (down the screen) past the point to its high end.
        EXPECT_GE(bar.from.y(), point->at.y());
        EXPECT_LE(bar.to.y(), point->at.y());
    }
    EXPECT_DOUBLE_EQ(bars[1].from.y(), H - 0.4 * H); // the bucket at 0.5
    EXPECT_DOUBLE_EQ(bars[1].to.y(), H - 0.7 * H);
    // The diagonal of perfect calibration, dotted.
    EXPECT_EQ(p.series.front().color, kDiagonal);
    EXPECT_EQ(p.series.front().style, Qt::DotLine);
}

TEST(CalibrationPicture, WhatCannotBeDrawnShowsTheNotice)
{
    const struct {
        const char* what;
        std::vector<Bucket> buckets;
        bool notice;
        std::size_t bars;
    } cases[] = {
        { "no bucket", {}, true, 0 },
        { "a probability the host could not tell (a database run)", { { kNaN, 0.5, 0.4, 0.6 } }, true, 0 },
        { "an interval that cannot be estimated", { { 0.3, 0.2, kNaN, kNaN }, { 0.6, 0.7, 0.5, 0.8 } }, false, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ChartPicture p = picture(c.buckets);
        EXPECT_EQ(p.invalidData, c.notice);
        EXPECT_EQ(errorBars(p).size(), c.bars);
        if (c.notice) {
            EXPECT_EQ(p.notice, "No calibration figures");
            EXPECT_TRUE(p.points.empty());
            EXPECT_EQ(p.series.size(), 1u) << "the diagonal stays";
        }
    }
}

} // namespace lrv::test
