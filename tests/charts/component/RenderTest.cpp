#include "ComponentTestSupport.h"
#include "charts/CutoffChart.h"
#include "charts/LogisticFitChart.h"
#include "charts/SlopeChart.h"
#include "charts/TrendlineChart.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>

#include <QLineEdit>
#include <QToolTip>

using namespace lrv;

namespace {

// A scored dataset as a fitted model gives it: outputs in 0..1, positives more likely at high outputs.
struct Scored {
    double output;
    int target;
};

std::vector<Scored> scoredRecords(int count)
{
    std::mt19937 random(7);
    std::normal_distribution<double> latent(0.0, 1.4);
    std::uniform_real_distribution<double> uniform(0, 1);
    std::vector<Scored> records;
    for (int i = 0; i < count; ++i) {
        const double z = latent(random);
        const double output = 1 / (1 + std::exp(-z));
        records.push_back({ output, uniform(random) < 1 / (1 + std::exp(-(1.6 * z - 0.3))) ? 1 : 0 });
    }
    std::sort(records.begin(), records.end(), [](const Scored& a, const Scored& b) { return a.output < b.output; });
    return records;
}

Table<double> cutoffTable(const std::vector<Scored>& records)
{
    const int n = int(records.size());
    int positives = 0;
    for (const Scored& record : records)
        positives += record.target;
    const int negatives = n - positives;
    TableBuilder<double> table(0, n, 0, 4);
    int positivesBelow = 0;
    int negativesBelow = 0;
    for (int i = 0; i <= n; ++i) {
        const int r = std::min(i, n - 1); // the closing row repeats the last
        if (i < n && i > 0) {
            positivesBelow += records[std::size_t(i - 1)].target;
            negativesBelow += 1 - records[std::size_t(i - 1)].target;
        }
        const double tpr = double(positives - positivesBelow) / positives;
        const double tnr = double(negativesBelow) / negatives;
        table.set(i, 0, records[std::size_t(r)].output);
        table.set(i, 1, tpr);
        table.set(i, 2, tnr);
        table.set(i, 3, 1 - tnr);
        table.set(i, 4, 1 - tpr);
    }
    return table.build();
}

struct Fit {
    double slope, intercept, rSquare;
};

Fit weightedFit(const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& w)
{
    double sw = 0, sx = 0, sy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sw += w[i];
        sx += w[i] * x[i];
        sy += w[i] * y[i];
    }
    const double mx = sx / sw, my = sy / sw;
    double sxy = 0, sxx = 0, syy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += w[i] * (x[i] - mx) * (y[i] - my);
        sxx += w[i] * (x[i] - mx) * (x[i] - mx);
        syy += w[i] * (y[i] - my) * (y[i] - my);
    }
    const double slope = sxy / sxx;
    return { slope, my - slope * mx, sxy * sxy / (sxx * syy) };
}

// Ten buckets from the highest outputs down: 0 quantile, 1 upper, 2 lower, 7 % positive, 9 log odds, 10 line.
Table<Variant> bucketTable(const std::vector<Scored>& records, Fit& logOddsFit, Fit& trendFit)
{
    const int buckets = 10;
    const int n = int(records.size());
    std::vector<double> x, logOdds, percent, weights;
    TableBuilder<Variant> table(1, buckets, 0, 10);
    for (int b = 1; b <= buckets; ++b) {
        const int from = n - n * b / buckets;
        const int to = n - n * (b - 1) / buckets - 1;
        int positives = 0;
        for (int i = from; i <= to; ++i)
            positives += records[std::size_t(i)].target;
        const double total = to - from + 1;
        const double rate = std::clamp(positives / total, 0.5 / total, 1 - 0.5 / total);
        table.set(b, 0, b);
        table.set(b, 1, records[std::size_t(to)].output);
        table.set(b, 2, records[std::size_t(from)].output);
        table.set(b, 7, 100.0 * positives / total);
        table.set(b, 9, std::log(rate / (1 - rate)));
        x.push_back(records[std::size_t(to)].output);
        logOdds.push_back(std::log(rate / (1 - rate)));
        percent.push_back(100.0 * positives / total);
        weights.push_back(total);
    }
    logOddsFit = weightedFit(x, logOdds, weights);
    trendFit = weightedFit(x, percent, weights);
    for (int b = 1; b <= buckets; ++b)
        table.set(b, 10, logOddsFit.slope * x[std::size_t(b - 1)] + logOddsFit.intercept);
    return table.build();
}

void savePicture(QWidget& chart, const char* name)
{
    const QImage image = chart.grab().toImage();
    image.save(QStringLiteral("/tmp/component-%1.png").arg(QLatin1String(name)));
    // A drawn chart has lines, points, texts and their antialiased edges: many colours.
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 50u) << name;
    EXPECT_TRUE(chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"))->isHidden()) << name;
}

class RenderTest : public ::testing::Test {
protected:
    std::vector<Scored> records = scoredRecords(800);
    Fit logOddsFit {};
    Fit trendFit {};
    Table<Variant> buckets = bucketTable(records, logOddsFit, trendFit);
};

TEST_F(RenderTest, CutoffPoints)
{
    CutoffChart chart;
    chart.resize(720, 460);
    chart.SetDataSource(cutoffTable(records));
    chart.SetShowOCP(true);
    chart.SetOptimumModelValue(0.52);
    chart.SetLogisticCutoffPoint(-logOddsFit.intercept / logOddsFit.slope);
    savePicture(chart, "cutoff");
}

TEST_F(RenderTest, LogOdds)
{
    SlopeChart chart;
    chart.resize(720, 460);
    chart.SetDataSource(buckets);
    chart.SetEquationValues(logOddsFit.slope, logOddsFit.intercept, logOddsFit.rSquare, false);
    chart.Refresh();
    savePicture(chart, "log-odds");
}

TEST_F(RenderTest, TrendLine)
{
    TrendlineChart chart;
    chart.resize(720, 460);
    chart.SetDataSource(buckets);
    chart.SetEquationValues(trendFit.slope, trendFit.intercept, trendFit.rSquare, false);
    chart.Refresh();
    savePicture(chart, "trend-line");
}

TEST_F(RenderTest, LogisticFit)
{
    const int n = int(records.size());
    TableBuilder<double> curve(0, n - 1, 0, 6);
    TableBuilder<double> observations(0, n - 1, 0, 2);
    for (int i = 0; i < n; ++i) {
        const double output = records[std::size_t(i)].output;
        const double p = 1 / (1 + std::exp(-(logOddsFit.slope * output + logOddsFit.intercept)));
        curve.set(i, 2, output);
        curve.set(i, 5, p);
        curve.set(i, 6, 1 - p);
        observations.set(i, 0, records[std::size_t(i)].target);
        observations.set(i, 1, output);
        observations.set(i, 2, records[std::size_t(i)].target);
    }
    LogisticFitChart chart;
    chart.resize(720, 460);
    chart.SetShowDummyPoints(true);
    chart.SetDataSource(curve.build());
    chart.AddDataSource(observations.build());
    chart.Refresh();
    savePicture(chart, "logistic-fit");
    chart.SetShowDummyPoints(false);
    chart.Refresh();
    savePicture(chart, "logistic-fit-curve");
}

} // namespace

namespace {

TEST(RenderNotice, UnplottableDataShowsTheNoticeOverAnEmptyPlot)
{
    CutoffChart chart;
    chart.resize(720, 460);
    chart.SetDataSource(lrv::test::rows<double>(0, { { 0.5, 1, 0, 1, 0 }, { 0.5, 0, 1, 0, 1 }, { 0.5, 0, 1, 0, 1 } }));
    chart.Refresh();
    const QImage image = chart.grab().toImage();
    image.save(QStringLiteral("/tmp/component-invalid.png"));
    auto* notice = chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"));
    EXPECT_FALSE(notice->isHidden());
    EXPECT_GT(notice->width(), 300);
    EXPECT_TRUE(chart.rect().contains(notice->geometry()));
}

} // namespace

namespace {

TEST_F(RenderTest, LargeOutputsReadInScientificNotation)
{
    TableBuilder<Variant> scaled(buckets);
    for (int row = buckets.rowLow(); row <= buckets.rowHigh(); ++row)
        for (int column : { 1, 2 })
            scaled.set(row, column, buckets.at(row, column).toDouble() * 4e7);
    TrendlineChart chart;
    chart.resize(720, 460);
    chart.SetDataSource(scaled.build());
    chart.SetEquationValues(trendFit.slope / 4e7, trendFit.intercept, trendFit.rSquare, false);
    chart.Refresh();
    EXPECT_EQ(chart.chartComponent()->axisLabelFormat(Qt::Horizontal), 20);
    savePicture(chart, "trend-line-large");
}

TEST(ComponentHints, HoveringAPointShowsItsHint)
{
    SlopeChart chart;
    chart.resize(600, 400);
    chart.show();
    TableBuilder<Variant> table(1, 3, 0, 10);
    const double x[] = { 0.9, 0.6, 0.2 };
    const double y[] = { 2, 0.5, -1.5 };
    for (int row = 1; row <= 3; ++row) {
        table.set(row, 1, x[row - 1]);
        table.set(row, 2, x[row - 1] - 0.1);
        table.set(row, 9, y[row - 1]);
        table.set(row, 10, y[row - 1]);
    }
    chart.SetDataSource(table.build());
    chart.Refresh();
    QXYSeries* points = chart.chartComponent()->series(0);
    emit points->hovered(QPointF(0.2, -1.5), true);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Point 3 (0.2, -1.5)"));
    // The line series reports a place between points: the nearest point's hint shows.
    emit points->hovered(QPointF(0.58, 0.45), true);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Point 2 (0.6, 0.5)"));
    emit points->hovered(QPointF(0.58, 0.45), false);
}

} // namespace
