#include "ComponentTestSupport.h"
#include "charts/CutoffChart.h"
#include "charts/LogisticFitChart.h"
#include "charts/SlopeChart.h"
#include "charts/TrendlineChart.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
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

Table<double> logisticCurve(const std::vector<Scored>& records, const Fit& fit)
{
    const int n = int(records.size());
    TableBuilder<double> curve(0, n - 1, 0, 6);
    for (int i = 0; i < n; ++i) {
        const double output = records[std::size_t(i)].output;
        const double p = 1 / (1 + std::exp(-(fit.slope * output + fit.intercept)));
        curve.set(i, 2, output);
        curve.set(i, 5, p);
        curve.set(i, 6, 1 - p);
    }
    return curve.build();
}

Table<double> observations(const std::vector<Scored>& records)
{
    const int n = int(records.size());
    TableBuilder<double> table(0, n - 1, 0, 2);
    for (int i = 0; i < n; ++i) {
        table.set(i, 0, records[std::size_t(i)].target);
        table.set(i, 1, records[std::size_t(i)].output);
        table.set(i, 2, records[std::size_t(i)].target);
    }
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
    LogisticFitChart chart;
    chart.resize(720, 460);
    chart.SetShowDummyPoints(true);
    chart.SetDataSource(logisticCurve(records, logOddsFit));
    chart.AddDataSource(observations(records));
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

// Outputs a model may give, from the same probabilities p: tiny and huge magnitudes, integer scores, an
// offset far from 0, a spread of 1e-13 around a value and one far outlier.
struct OutputScale {
    const char* name;
    std::function<double(double p, int record)> output;
};

const OutputScale kScales[] = {
    { "1e-12", [](double p, int) { return p * 1e-12; } },
    { "1e-4", [](double p, int) { return p * 1e-4; } },
    { "unit", [](double p, int) { return p; } },
    { "scores 300-850", [](double p, int) { return std::round(300 + 550 * p); } },
    { "1e8", [](double p, int) { return p * 1e8; } },
    { "1e12", [](double p, int) { return p * 1e12; } },
    { "1e9 + small", [](double p, int) { return 1e9 + 100 * p; } },
    { "spread 1e-13", [](double p, int) { return 0.5 + 1e-13 * p; } },
    { "one outlier", [](double p, int record) { return record == 17 ? 1e9 : p; } },
};

// Every axis holds at most 20 ticks at whole multiples of a step of 1, 2 or 5 times a power of ten; each
// label reads as its tick's value ("0" at zero) and stays clear of its neighbours.
void expectReadableAxes(ChartComponent& component)
{
    for (const Qt::Orientation orientation : { Qt::Horizontal, Qt::Vertical }) {
        SCOPED_TRACE(orientation == Qt::Horizontal ? "horizontal axis" : "vertical axis");
        auto* axis = qobject_cast<QCategoryAxis*>(component.axis(orientation));
        ASSERT_NE(axis, nullptr);
        const QStringList labels = axis->categoriesLabels();
        ASSERT_GE(labels.size(), 2);
        EXPECT_LE(labels.size(), 20);
        // Positions on the axis, in the values the labels stand for.
        const double unit = component.axisUnit(orientation);
        const auto at = [&](const QString& label) { return axis->endValue(label) * unit; };
        const double step = at(labels[1]) - at(labels[0]);
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
            << step;
        const QRectF plot = component.chart()->plotArea();
        // The chart library laid each label out beside the plot.
        std::multimap<QString, QRectF> drawn;
        for (QGraphicsItem* item : component.chart()->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                drawn.emplace(text->toPlainText(), text->sceneBoundingRect());
        for (const QString& label : labels) {
            const auto [from, to] = drawn.equal_range(label);
            EXPECT_TRUE(std::any_of(from, to,
                [&](const auto& found) {
                    return orientation == Qt::Horizontal ? found.second.bottom() >= plot.bottom()
                                                         : found.second.left() <= plot.left();
                }))
                << label.toStdString() << " is not drawn beside the plot";
        }
        const double pixelsPerStep = (orientation == Qt::Horizontal ? plot.width() : plot.height()) * step
            / ((axis->max() - axis->min()) * unit);
        const QFontMetricsF metrics(axis->labelsFont());
        for (int i = 0; i < labels.size(); ++i) {
            const double value = at(labels[i]);
            SCOPED_TRACE(labels[i].toStdString());
            EXPECT_GE(value, axis->min() * unit - step * 1e-9);
            EXPECT_LE(value, axis->max() * unit + step * 1e-9);
            EXPECT_NEAR(value / step, std::round(value / step), 1e-6);
            if (std::abs(value) < step * 1e-9) {
                EXPECT_EQ(labels[i], QStringLiteral("0"));
            }
            bool number = false;
            EXPECT_NEAR(QLocale().toDouble(labels[i], &number), value, step * 1e-6);
            EXPECT_TRUE(number);
            const double size = orientation == Qt::Horizontal ? metrics.horizontalAdvance(labels[i]) : metrics.height();
            EXPECT_LT(size, pixelsPerStep) << "labels overlap";
        }
    }
}

TEST_F(RenderTest, EveryOutputScaleGetsRoundReadableTicks)
{
    for (const OutputScale& scale : kScales) {
        SCOPED_TRACE(scale.name);
        std::vector<Scored> scaled = records;
        for (std::size_t i = 0; i < scaled.size(); ++i)
            scaled[i].output = scale.output(records[i].output, int(i));
        std::sort(scaled.begin(), scaled.end(), [](const Scored& a, const Scored& b) { return a.output < b.output; });
        Fit logOdds {};
        Fit trend {};
        const Table<Variant> table = bucketTable(scaled, logOdds, trend);

        CutoffChart cutoff;
        cutoff.SetDataSource(cutoffTable(scaled));
        cutoff.SetShowOCP(true);
        cutoff.SetOptimumModelValue(scaled[400].output);
        cutoff.SetLogisticCutoffPoint(scaled[300].output);
        SlopeChart slope;
        slope.SetDataSource(table);
        slope.SetEquationValues(logOdds.slope, logOdds.intercept, logOdds.rSquare, false);
        TrendlineChart trendLine;
        trendLine.SetDataSource(table);
        trendLine.SetEquationValues(trend.slope, trend.intercept, trend.rSquare, false);
        LogisticFitChart fit;
        fit.SetShowDummyPoints(true);
        fit.SetDataSource(logisticCurve(scaled, logOdds));
        fit.AddDataSource(observations(scaled));

        for (ComponentChartFrame* chart :
            std::initializer_list<ComponentChartFrame*> { &cutoff, &slope, &trendLine, &fit }) {
            SCOPED_TRACE(chart->metaObject()->className());
            chart->resize(720, 460);
            chart->show();
            dynamic_cast<IChartControl*>(chart)->Refresh();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
            QCoreApplication::processEvents();
            expectReadableAxes(*chart->chartComponent());
        }
    }
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
