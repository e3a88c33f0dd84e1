// What the drawn charts (ROC, gains, lift, calibration) draw from their tables, in plain numbers.
#include "../ScoredTables.h"
#include "charts/CalibrationChart.h"
#include "charts/ChartFont.h"
#include "charts/GainsChart.h"
#include "charts/LiftChart.h"
#include "charts/ROCChart.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lrv::test {

namespace {
    const QSize kSurface(640, 400);
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    // The curve, the ideal or second curve, the references and the error bars each in a colour of their own.
    const OleColor kCurve = rgb(200, 0, 0), kSecond = rgb(0, 150, 0), kReference = rgb(0, 0, 200), kBars = rgb(1, 1, 1);

    ChartPicture roc(const Table<double>& data)
    {
        return ROCChart::rocPicture(data, kSurface, chartFont(), { {}, kCurve, kReference });
    }
    ChartPicture gains(const Table<Variant>& data)
    {
        return GainsChart::gainsPicture(data, kSurface, chartFont(), { {}, kCurve, kReference, kSecond });
    }
    ChartPicture lift(const Table<Variant>& data) // random, ideal, lift and cumulative lift
    {
        return LiftChart::liftPicture(data, kSurface, chartFont(), { {}, { 0, kReference, kBars, kCurve, kSecond } });
    }
    ChartPicture calibration(const Table<double>& data)
    {
        return CalibrationChart::calibrationPicture(
            data, kSurface, chartFont(), { { 0xFFFFFF, 0, kBars }, kCurve, kReference });
    }

    std::vector<ChartStroke> strokesOf(const ChartPicture& p, OleColor color)
    {
        std::vector<ChartStroke> strokes;
        std::copy_if(p.series.begin(), p.series.end(), std::back_inserter(strokes),
            [color](const ChartStroke& s) { return s.color == color; });
        return strokes;
    }

    std::vector<double> rocRow(double tpr, double fpr)
    {
        std::vector<double> row(index(RocColumn::FalsePositiveRate) + 1, 0.0);
        row[index(RocColumn::Sensitivity)] = tpr;
        row[index(RocColumn::FalsePositiveRate)] = fpr;
        return row;
    }
    // A gains row: bucket marker, % positives captured, % population and the cumulative positive fraction.
    std::vector<Variant> gainsRow(Variant marker, double captured, double population, double fraction = 0)
    {
        std::vector<Variant> row(kCountOf<GainsColumn>, Variant(0.0));
        row[index(GainsColumn::Bucket)] = marker;
        row[index(GainsColumn::CumulativeRate)] = fraction;
        row[index(GainsColumn::CumulativePositivePercent)] = captured;
        row[index(GainsColumn::CumulativePopulationPercent)] = population;
        return row;
    }
    Table<Variant> threeGains(double fraction, Variant second = 1, Variant last = 3)
    {
        return rows<Variant>(0,
            { gainsRow(0, 0, 0), gainsRow(second, 60, 33.3), gainsRow(2, 90, 66.7),
                gainsRow(last, 100, 100, fraction) });
    }
    Table<double> calibrationRows(const std::vector<std::array<double, 4>>& buckets) // probability, rate, low, high
    {
        TableBuilder<double> table(1, int(buckets.size()), 0, index(CalibrationColumn::Last));
        for (int row = 1; row <= int(buckets.size()); ++row) {
            const auto& b = buckets[std::size_t(row - 1)];
            table.set(row, index(CalibrationColumn::MeanProbability), b[0]);
            table.set(row, index(CalibrationColumn::ObservedRate), b[1]);
            table.set(row, index(CalibrationColumn::WilsonLow), b[2]);
            table.set(row, index(CalibrationColumn::WilsonHigh), b[3]);
        }
        return table.build();
    }
}

TEST(DrawnPictures, TablesWithNothingToDrawShowTheNoticeOverTheFrame)
{
    const struct {
        const char* name;
        ChartPicture picture;
        bool notice;
    } cases[] = {
        { "ROC: no rows", roc({}), true },
        { "ROC: all rows at -1", roc(rows<double>(0, { rocRow(0.1, -1), rocRow(1, -1.5) })), true },
        { "ROC: a rate not a number", roc(rows<double>(0, { rocRow(0, 0), rocRow(kNaN, 0.5) })), true },
        { "gains: no rows", gains({}), true },
        { "gains: a text", gains(threeGains(0.3, "fifty")), true },
        { "gains: only the origin", gains(rows<Variant>(0, { gainsRow(0, 0, 0) })), true },
        { "lift: no rows", lift({}), true },
        { "lift: no positive lift", lift(rows<Variant>(1, { { 50, 0, 0, 0, 0 }, { 100, 0, 0, 0, 0 } })), true },
        { "lift: a text", lift(rows<Variant>(1, { { 50, 1, 2, "high", 1 }, { 100, 1, 2, 1, 1 } })), true },
        { "calibration: no bucket", calibration({}), true },
        { "calibration: a probability the host could not tell",
            calibration(calibrationRows({ { kNaN, 0.5, 0.4, 0.6 } })), true },
        { "calibration: an interval that cannot be estimated",
            calibration(calibrationRows({ { 0.3, 0.2, kNaN, kNaN }, { 0.6, 0.7, 0.5, 0.8 } })), false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChartPicture& p = c.picture;
        EXPECT_EQ(p.invalidData, c.notice);
        EXPECT_FALSE(p.frame.empty());
        if (c.notice) {
            EXPECT_TRUE(strokesOf(p, kCurve).empty() && strokesOf(p, kSecond).empty() && p.points.empty());
        }
    }
}

TEST(DrawnPictures, RocRowsAtMinusOneStartNoSegmentAndTheCurveReturnsToTheOrigin)
{
    const ChartPicture p = roc(rows<double>(0, { rocRow(0.2, 0.0), rocRow(0.5, -1), rocRow(0.6, 0.3), rocRow(1, 1) }));
    ASSERT_FALSE(p.invalidData);
    const auto curve = strokesOf(p, kCurve);
    ASSERT_EQ(curve.size(), 3u); // row 0 to 1, row 2 to 3, back to the origin
    EXPECT_EQ(curve[0].from.x(), 0);
    EXPECT_LT(curve[0].to.x(), 0) << "a row at -1 ends the segment before it";
    EXPECT_NEAR(curve[1].from.x() / curve[1].to.x(), 0.3, 1e-12);
    EXPECT_NEAR(curve[1].from.y() / curve[0].from.y(), (1 - 0.6) / (1 - 0.2), 1e-12);
    EXPECT_EQ(curve[2].from, curve[0].from);
    EXPECT_EQ(curve[2].to, QPointF(0, p.plot().height()));
    EXPECT_LT(curve[1].to.x(), p.plot().width()) << "the corner keeps off the right border";
    EXPECT_GT(curve[1].to.y(), -1e-9);
}

TEST(DrawnPictures, GainsArePercentagesWithAnIdealCurveToTheFullShareAndMarkedRowsLeftOut)
{
    const ChartPicture p = gains(threeGains(0.25));
    const auto curve = strokesOf(p, kCurve);
    ASSERT_EQ(curve.size(), 3u);
    EXPECT_EQ(curve[1].from, QPointF(33.3, 60));
    EXPECT_EQ(curve[1].to, QPointF(66.7, 90));
    ASSERT_EQ(p.points.size(), 4u);
    EXPECT_EQ(p.points.back().at, QPointF(100, 100));
    // A quarter of the records positive: the ideal curve rises 4 points per point of population, then stays.
    const auto ideal = strokesOf(p, kSecond);
    ASSERT_EQ(ideal.size(), 100u);
    for (const ChartStroke& s : ideal)
        EXPECT_DOUBLE_EQ(s.from.y(), std::min(s.from.x() * 4, 100.0));
    EXPECT_TRUE(strokesOf(gains(threeGains(0)), kSecond).empty());

    const ChartPicture marked = gains(threeGains(0, -1, -1));
    const auto parts = strokesOf(marked, kCurve);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].to, QPointF(33.3, 60));
    EXPECT_EQ(parts[1].from, QPointF(66.7, 90));
    ASSERT_EQ(marked.points.size(), 2u);
    EXPECT_EQ(marked.points[1].at, QPointF(66.7, 90));
}

TEST(DrawnPictures, LiftRowsWithoutALiftKeepTheirPointsAndTheIdealCountsFromTheFirstRow)
{
    // Three buckets: population %, random, ideal, lift (none in the first), cumulative lift.
    const ChartPicture p
        = lift(rows<Variant>(1, { { 33.3, 1, 2.5, -1, 3.0 }, { 66.7, 1, 2.5, 1.0, 2.0 }, { 100, 1, 2.5, 0.2, 1.0 } }));
    ASSERT_FALSE(p.invalidData);
    const auto liftLine = strokesOf(p, kCurve);
    ASSERT_EQ(liftLine.size(), 1u); // the first row starts none
    EXPECT_EQ(liftLine[0].from, QPointF(66.7, 1.0));
    EXPECT_EQ(liftLine[0].to, QPointF(100, 0.2));
    EXPECT_EQ(p.points.size(), 6u); // lift and cumulative lift of every row
    EXPECT_EQ(p.points[0].at, QPointF(33.3, -1));
    // The ideal lift counts from the first row only.
    EXPECT_DOUBLE_EQ(LiftChart::dataRange(rows<Variant>(1, { { 50, 1, 2, 1.5, 1.5 }, { 100, 1, 9, 1, 1 } })).MaxY, 2.2);
}

TEST(DrawnPictures, CalibrationBucketsStandAtProbabilityAndRateWithTheirIntervalAsBars)
{
    // Buckets in ranking order (highest probability first), as the host delivers them.
    const ChartPicture p
        = calibration(calibrationRows({ { 0.8, 0.75, 0.6, 0.86 }, { 0.5, 0.55, 0.4, 0.7 }, { 0.1, 0.0, 0.0, 0.16 } }));
    ASSERT_FALSE(p.invalidData);
    const double W = p.plot().width(), H = p.plot().height();
    ASSERT_EQ(p.points.size(), 3u);
    EXPECT_EQ(p.points.front().at, QPointF(0.1 * W, H)); // joined from the lowest probability up
    EXPECT_EQ(p.points.back().at, QPointF(0.8 * W, H - 0.75 * H));
    std::vector<ChartStroke> bars;
    for (const ChartStroke& s : strokesOf(p, kBars))
        if (s.from.x() == s.to.x())
            bars.push_back(s);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_DOUBLE_EQ(bars[1].from.y(), H - 0.4 * H); // the bucket at 0.5
    EXPECT_DOUBLE_EQ(bars[1].to.y(), H - 0.7 * H);
}

} // namespace lrv::test
