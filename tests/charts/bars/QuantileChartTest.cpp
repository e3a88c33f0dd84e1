#include "charts/QuantileChart.h"

#include "BarChartProbe.h"
#include "BarTestData.h"
#include "common/FakePlatform.h"
#include "common/TestConfiguration.h"
#include "entry/ControlRegistry.h"
#include "host/HostConfiguration.h"

#include <gtest/gtest.h>

#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QFile>
#include <QFontMetricsF>
#include <QMenu>
#include <QScrollBar>
#include <QValueAxis>

using namespace lrv;

namespace {

class QuantileChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::FakePlatform::installFresh();
        HostConfiguration::set(nullptr);
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
    QAction* menuItem(const char* name) const { return chart->findChild<QAction*>(QString::fromLatin1(name)); }

    std::unique_ptr<QuantileChart> chart;
};

QString row(int r) { return QString::number(r) + QLatin1Char(' '); }

TEST_F(QuantileChartTest, ThirtyRowsShowEveryBarWithoutScrollBar)
{
    show(30);
    EXPECT_FALSE(scroll()->isVisible());
    ASSERT_EQ(probe().categories().size(), 30);
    EXPECT_EQ(probe().categories().first(), row(1));
    EXPECT_EQ(probe().categories().last(), row(30));
    EXPECT_EQ(probe().values(0).first(), 90); // column 7 of row 1
    EXPECT_EQ(probe().values(1).first(), 10); // column 9 of row 1
}

TEST_F(QuantileChartTest, ThirtyOneRowsScrollOverOneMorePosition)
{
    show(31);
    ASSERT_TRUE(scroll()->isVisible());
    EXPECT_EQ(scroll()->minimum(), 1);
    EXPECT_EQ(scroll()->maximum(), 2);
    EXPECT_EQ(probe().categories().size(), 30);

    scroll()->setValue(2);
    const QStringList shown = probe().categories();
    ASSERT_EQ(shown.size(), 30);
    EXPECT_EQ(shown.first(), row(2));
    EXPECT_EQ(shown.last(), row(31));
    EXPECT_EQ(
        probe().values(0).last(), lrv::at(test::decileResults(31), 31, lrv::DecileColumn::PositivePercent).toDouble());
}

TEST_F(QuantileChartTest, FortyThousandRowsStopTheWindowAtTheScrollLimit)
{
    show(40000);
    EXPECT_EQ(scroll()->maximum(), 32767);
    scroll()->setValue(scroll()->maximum());
    EXPECT_EQ(probe().categories().last(), row(32796));
}

TEST_F(QuantileChartTest, NewDataScrollsBackToTheFirstBucket)
{
    show(100);
    scroll()->setValue(40);
    show(100);
    EXPECT_EQ(scroll()->value(), 1);
    EXPECT_EQ(probe().categories().first(), row(1));
}

TEST_F(QuantileChartTest, ShowPointMovesTheWindowOrStopsAtTheLast)
{
    show(100);
    chart->ShowPoint(9); // 0-based report row 9 is table row 10
    EXPECT_EQ(probe().categories().first(), row(10));
    chart->ShowPoint(500);
    EXPECT_EQ(scroll()->value(), 71);
    EXPECT_EQ(probe().categories().last(), row(100));

    show(30);
    chart->ShowPoint(5);
    EXPECT_EQ(probe().categories().first(), row(1));
    EXPECT_FALSE(scroll()->isVisible());
}

TEST_F(QuantileChartTest, ThresholdComesFromTheConfiguration)
{
    auto configuration = test::TestConfiguration::install();
    configuration->set(QStringLiteral("LogisticRegression.Chart.Quantile.StreamingThreshold"), 10);
    show(31);
    EXPECT_EQ(scroll()->maximum(), 22);
    EXPECT_EQ(probe().categories().size(), 10);
}

TEST_F(QuantileChartTest, ClickingABarSelectsItsTableRow)
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

    show(10);
    QApplication::processEvents();
    test::clickAt(probe().view->viewport(), probe().segmentCentre(0, 4));
    ASSERT_EQ(selected.size(), 3);
    EXPECT_EQ(selected[2], 5);
}

TEST_F(QuantileChartTest, HoverTipShowsShareAndCountOfTheRowUnderThePointer)
{
    show(100);
    scroll()->setValue(3);
    QApplication::processEvents();
    test::moveTo(probe().view->viewport(), probe().segmentCentre(0, 4));
    EXPECT_EQ(probe().view->toolTip(), QStringLiteral(" Positive Cases, 85.0% (85) ")); // row 7
    test::moveTo(probe().view->viewport(), probe().segmentCentre(1, 4));
    EXPECT_EQ(probe().view->toolTip(), QStringLiteral(" Negative Cases, 15.0% (15) "));
    test::moveTo(probe().view->viewport(), QPoint(2, 2));
    EXPECT_TRUE(probe().view->toolTip().isEmpty());
}

TEST_F(QuantileChartTest, ResetShowsTenEmptyBuckets)
{
    show(100);
    chart->Reset();
    EXPECT_EQ(probe().categories(),
        QStringList({ row(1), row(2), row(3), row(4), row(5), row(6), row(7), row(8), row(9), row(10) }));
    EXPECT_EQ(probe().values(0), QList<qreal>(10, 0.0));
    EXPECT_FALSE(scroll()->isVisible());
}

TEST_F(QuantileChartTest, ColoursComeFromTheConfigurationOrStayDesigned)
{
    const auto designed = probe().series()->barSets();
    EXPECT_NE(designed[0]->color(), designed[1]->color());

    auto configuration = test::TestConfiguration::install();
    configuration->setColor(QStringLiteral("LogisticRegression.Charts.Background"), rgb(250, 250, 240));
    configuration->setColor(QStringLiteral("LogisticRegression.Quantile.Chart.Positives.BackColor"), rgb(10, 20, 30));
    configuration->setColor(QStringLiteral("LogisticRegression.Quantile.Chart.Positives.Border"), rgb(1, 2, 3));
    QuantileChart configured;
    const test::BarChartProbe configuredProbe(&configured, "chQuant");
    EXPECT_EQ(configuredProbe.series()->barSets()[0]->color(), QColor(10, 20, 30));
    EXPECT_EQ(configuredProbe.series()->barSets()[0]->borderColor(), QColor(1, 2, 3));
    EXPECT_EQ(configuredProbe.series()->barSets()[1]->color(), designed[1]->color()); // no key: as designed
    EXPECT_EQ(configured.BackColor(), rgb(250, 250, 240));
    EXPECT_EQ(configuredProbe.view->chart()->backgroundBrush().color(), QColor(250, 250, 240));
}

TEST_F(QuantileChartTest, CopyWhileScrolledLeavesTheScrollBarOutAndComesBack)
{
    show(100);
    scroll()->setValue(3);
    test::clickAt(probe().view->viewport(), QPoint(20, 20), Qt::RightButton);
    ASSERT_TRUE(chart->findChild<QMenu*>(QStringLiteral("ctxMain"))->isVisible());
    menuItem("mnuMain(0)")->trigger();

    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), chart->grab().size());
    // The bottom strip where the scroll bar lies on screen shows the chart's white surface instead.
    EXPECT_EQ(copied.pixelColor(copied.width() - 3, copied.height() - 3), QColor(Qt::white));
    EXPECT_TRUE(scroll()->isVisible());
    EXPECT_EQ(scroll()->value(), 3);
    EXPECT_EQ(probe().categories().first(), row(3));
}

TEST_F(QuantileChartTest, PrintMakesOneDocumentPerCopyAndNothingWhenCancelled)
{
    show(10);
    auto& platform = test::FakePlatform::current();
    platform.printerAnswer = PrintSetup { 3, QPageLayout::Landscape };
    menuItem("mnuMain(2)")->trigger();
    ASSERT_EQ(platform.printedDocuments.size(), 3);
    QFile document(platform.printedDocuments.first());
    ASSERT_TRUE(document.open(QIODevice::ReadOnly));
    const QByteArray content = document.readAll();
    EXPECT_GT(content.size(), 1000);
    EXPECT_FALSE(content.contains("/Subtype /Image")) << "bars and text, not a picture of the screen";

    platform.printerAnswer.reset();
    menuItem("mnuMain(2)")->trigger();
    EXPECT_EQ(platform.printedDocuments.size(), 3);
    EXPECT_EQ(platform.printerDialogs, 2);
}

TEST_F(QuantileChartTest, ValueAxisKeepsWholeLabelsOnShortPlotsAndGridLinesAreOpaque)
{
    show(30);
    QFont large = chart->font();
    large.setPointSize(16);
    for (const int height : { 380, 160, 110 }) {
        SCOPED_TRACE(height);
        auto* values = qobject_cast<QValueAxis*>(probe().view->chart()->axes(Qt::Vertical).first());
        values->setLabelsFont(large);
        chart->resize(760, height);
        QApplication::processEvents();
        const double plotHeight = probe().view->chart()->plotArea().height();
        EXPECT_GT(plotHeight / (values->tickCount() - 1), QFontMetricsF(large).height()) << "labels overlap";
        EXPECT_FALSE(values->truncateLabels());
    }
    EXPECT_EQ(probe().view->chart()->axes(Qt::Horizontal).first()->gridLineColor().alpha(), 255);

    // Bucket labels too close even upright: the ones shown stand a label's height apart.
    QAbstractAxis* buckets = probe().view->chart()->axes(Qt::Horizontal).first();
    buckets->setLabelsFont(large);
    chart->resize(420, 380);
    QApplication::processEvents();
    const QStringList labels = probe().categories();
    const double pitch = probe().view->chart()->plotArea().width() / labels.size();
    QList<int> shown;
    for (int i = 0; i < labels.size(); ++i)
        if (!labels[i].trimmed().remove(QChar(0x200B)).isEmpty())
            shown.append(i);
    ASSERT_GE(shown.size(), 2);
    EXPECT_EQ(labels.first(), row(1));
    for (int i = 1; i < shown.size(); ++i)
        EXPECT_GE((shown[i] - shown[i - 1]) * pitch, QFontMetricsF(large).height()) << labels[shown[i]].toStdString();
}

TEST(QuantileChartRegistry, CreatesTheChartByProgramIdentifier)
{
    std::unique_ptr<QWidget> created(ControlRegistry::create(QStringLiteral("VNRK5LGAnViews.QuantileChart"), nullptr));
    EXPECT_NE(dynamic_cast<IQuantileChart*>(created.get()), nullptr);
}

} // namespace
