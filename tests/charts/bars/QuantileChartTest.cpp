#include "charts/QuantileChart.h"

#include "BarCharts.h"
#include "charts/PercentBarPlot.h"
#include "common/FakePlatform.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"
#include "host/UncertaintyFigures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QValueAxis>

using namespace lrv;

namespace {

class QuantileChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::FakePlatform::installFresh();
        chart = std::make_unique<QuantileChart>();
        chart->resize(760, 380);
        chart->show();
        QApplication::processEvents();
    }
    void TearDown() override { HostConfiguration::set(nullptr); }

    void show(int rows)
    {
        chart->SetDataSource(test::decileResults(rows));
        chart->Refresh();
        QApplication::processEvents();
    }
    QScrollBar* scroll() const { return chart->findChild<QScrollBar*>(QStringLiteral("hsScroll")); }
    test::BarChartProbe probe() const { return test::BarChartProbe(chart.get(), "chQuant"); }

    std::unique_ptr<QuantileChart> chart;
};

QString row(int r) { return QString::number(r) + QLatin1Char(' '); }

TEST_F(QuantileChartTest, ScrollBarAppearsBeyondTheThresholdAndItsWindowStopsAtTheScrollLimit)
{
    const struct {
        int rows, threshold; // 0: the default threshold
        bool scrolls;
        int maximum, lastShownAtMaximum;
    } cases[] = {
        { 30, 0, false, 1, 30 },
        { 31, 0, true, 2, 31 },
        { 40000, 0, true, 32767, 32796 },
        { 31, 10, true, 22, 31 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        auto configuration = test::TestConfiguration::install();
        if (c.threshold)
            configuration->set(QStringLiteral("LogisticRegression.Chart.Quantile.StreamingThreshold"), c.threshold);
        show(c.rows);
        EXPECT_EQ(scroll()->isVisible(), c.scrolls);
        const int window = std::min(c.rows, c.threshold ? c.threshold : 30);
        EXPECT_EQ(probe().categories().size(), window);
        EXPECT_EQ(probe().categories().first(), row(1));
        EXPECT_EQ(probe().values(0).first(), 90) << "the first bucket's positive share";
        if (!c.scrolls)
            continue;
        EXPECT_EQ(scroll()->minimum(), 1);
        EXPECT_EQ(scroll()->maximum(), c.maximum);
        scroll()->setValue(c.maximum);
        EXPECT_EQ(probe().categories().first(), row(c.lastShownAtMaximum - window + 1));
        EXPECT_EQ(probe().categories().last(), row(c.lastShownAtMaximum));
        EXPECT_EQ(probe().values(0).last(),
            lrv::at(test::decileResults(c.rows), c.lastShownAtMaximum, lrv::DecileColumn::PositivePercent).toDouble());
    }
}

TEST_F(QuantileChartTest, ShowPointNewDataAndResetMoveTheWindow)
{
    show(100);
    chart->ShowPoint(9); // 0-based report row 9 is table row 10
    EXPECT_EQ(probe().categories().first(), row(10));
    chart->ShowPoint(500);
    EXPECT_EQ(scroll()->value(), 71);
    EXPECT_EQ(probe().categories().last(), row(100));
    show(100);
    EXPECT_EQ(scroll()->value(), 1) << "new data scrolls back to the first bucket";
    EXPECT_EQ(probe().categories().first(), row(1));

    show(100);
    chart->Reset(); // ten empty buckets
    EXPECT_EQ(probe().categories().last(), row(10));
    EXPECT_EQ(probe().values(0), QList<qreal>(10, 0.0));
    EXPECT_FALSE(scroll()->isVisible());
}

TEST_F(QuantileChartTest, ClickingABarSelectsItsTableRowAndHoveringTellsItsShareAndCount)
{
    std::vector<int> selected;
    QObject::connect(chart.get(), &QuantileChart::PointSelected, [&](int index) { selected.push_back(index); });
    show(100);
    scroll()->setValue(3);
    QApplication::processEvents();
    test::clickAt(probe().view->viewport(), probe().segmentCentre(0, 4));
    test::clickAt(probe().view->viewport(), probe().segmentCentre(1, 4));
    ASSERT_EQ(selected.size(), 2);
    EXPECT_EQ(selected[0], 7); // 5th bar at scroll value 3
    EXPECT_EQ(selected[1], 7); // either part of the bar
    test::moveTo(probe().view->viewport(), probe().segmentCentre(0, 4));
    EXPECT_EQ(probe().view->toolTip(), QStringLiteral(" Positive Cases, 85.0% (85) ")); // row 7
    test::moveTo(probe().view->viewport(), probe().segmentCentre(1, 4));
    EXPECT_EQ(probe().view->toolTip(), QStringLiteral(" Negative Cases, 15.0% (15) "));
    test::moveTo(probe().view->viewport(), QPoint(2, 2));
    EXPECT_TRUE(probe().view->toolTip().isEmpty());

    show(10);
    QApplication::processEvents();
    test::clickAt(probe().view->viewport(), probe().segmentCentre(0, 4));
    ASSERT_EQ(selected.size(), 3);
    EXPECT_EQ(selected[2], 5);
}

TEST_F(QuantileChartTest, AxisLabelsStandClearOfEachOtherOnShortAndNarrowPlots)
{
    show(30);
    QFont large = chart->font();
    large.setPointSize(16);
    const QChart& plot = *probe().view->chart();
    auto* values = qobject_cast<QValueAxis*>(plot.axes(Qt::Vertical).first());
    values->setLabelsFont(large);
    plot.axes(Qt::Horizontal).first()->setLabelsFont(large);
    for (const QSize size : { QSize(760, 160), QSize(760, 110), QSize(420, 380) }) {
        SCOPED_TRACE(size.height());
        chart->resize(size);
        QApplication::processEvents();
        EXPECT_GT(plot.plotArea().height() / (values->tickCount() - 1), QFontMetricsF(large).height());
        // Bucket labels too close even upright: the ones shown stand a label's height apart.
        const QStringList labels = probe().categories();
        QList<int> shown;
        for (int i = 0; i < labels.size(); ++i)
            if (!labels[i].trimmed().remove(QChar(0x200B)).isEmpty())
                shown.append(i);
        ASSERT_GE(shown.size(), 2);
        EXPECT_EQ(labels.first(), row(1));
        for (int i = 1; i < shown.size(); ++i)
            EXPECT_GE(
                (shown[i] - shown[i - 1]) * plot.plotArea().width() / labels.size(), QFontMetricsF(large).height());
    }
}

} // namespace

TEST_F(QuantileChartTest, WilsonIntervalsStandOverTheShownBarsAndInTheCopiedPicture)
{
    show(40);
    const auto picture = [this] {
        QImage image(chart->size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        chart->paintChart(painter, image.rect());
        return image;
    };
    const QImage without = picture();
    // Each bucket's interval lies 5 points either side of its positive share.
    TableBuilder<double> calibration(1, 40, 0, index(CalibrationColumn::Last));
    for (int row = 1; row <= 40; ++row) {
        const double share = lrv::at(test::decileResults(40), row, DecileColumn::PositivePercent).toDouble() / 100;
        calibration.set(row, index(CalibrationColumn::WilsonLow), share - 0.05);
        calibration.set(row, index(CalibrationColumn::WilsonHigh), share + 0.05);
    }
    chart->SetCalibration(calibration.build());
    auto* plot = chart->findChild<PercentBarPlot*>(QStringLiteral("chQuant"));
    ASSERT_TRUE(plot);
    for (const int first : { 1, 11 }) {
        SCOPED_TRACE(first);
        scroll()->setValue(first);
        QApplication::processEvents();
        const QList<QLineF> strokes = plot->intervalStrokes();
        ASSERT_EQ(strokes.size(), 30);
        for (int bar = 0; bar < 30; ++bar) {
            EXPECT_NEAR(strokes[bar].x1(), probe().segmentCentre(0, bar).x(), 2);
            EXPECT_GT(strokes[bar].y1(), strokes[bar].y2()) << "from the low end up";
        }
    }
    EXPECT_NE(picture(), without);
    show(40);
    EXPECT_TRUE(plot->intervalStrokes().isEmpty()) << "a new table has no intervals yet";
}
