// The context menu every chart shares: a right-button release over the plot opens it, "Copy" puts the chart's
// picture on the clipboard and "Print" prints one vector document per copy.
#include "../ScoredTables.h"
#include "charts/CalibrationChart.h"
#include "charts/ChartComponent.h"
#include "charts/CutoffChart.h"
#include "charts/GainsChart.h"
#include "charts/LiftChart.h"
#include "charts/QuantileChart.h"
#include "charts/ROCChart.h"
#include "charts/SlopeChart.h"
#include "common/FakePlatform.h"

#include <gtest/gtest.h>
#include <set>

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

using namespace lrv;

namespace {

template <class T> std::unique_ptr<QWidget> make() { return std::make_unique<T>(); }

const struct {
    const char* name;
    std::unique_ptr<QWidget> (*make)();
} kCharts[] = {
    { "ROC", make<ROCChart> },
    { "gains", make<GainsChart> },
    { "lift", make<LiftChart> },
    { "calibration", make<CalibrationChart> },
    { "cutoff", make<CutoffChart> },
    { "log odds", make<SlopeChart> },
    { "quantiles", make<QuantileChart> },
};

void release(QWidget* widget, Qt::MouseButton button, QPoint at)
{
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(at), QPointF(widget->mapToGlobal(at)), button, Qt::NoButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Many colours: lines, texts and their smoothed edges, not an empty surface.
std::size_t coloursOf(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

TEST(ChartCommands, RightReleaseOpensTheMenuCopyTakesThePictureAndPrintMakesOneDocumentPerCopy)
{
    for (const auto& c : kCharts) {
        SCOPED_TRACE(c.name);
        auto& platform = lrv::test::FakePlatform::installFresh();
        const std::unique_ptr<QWidget> chart = c.make();
        chart->resize(640, 420);
        chart->show();
        dynamic_cast<IChartControl&>(*chart).Refresh();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart.get()));
        auto* view = chart->findChild<QChartView*>();
        QWidget* plot = view ? view->viewport() : chart->findChild<QWidget*>(QStringLiteral("pic"));
        auto* menu = chart->findChild<QMenu*>(QStringLiteral("ctxMain"));
        release(plot, Qt::LeftButton, QPoint(50, 50));
        EXPECT_FALSE(menu->isVisible());
        release(plot, Qt::RightButton, QPoint(50, 50));
        EXPECT_TRUE(menu->isVisible());
        menu->hide();

        QApplication::clipboard()->clear();
        chart->findChild<QAction*>(QStringLiteral("mnuMain(0)"))->trigger();
        const QImage copied = QApplication::clipboard()->image();
        EXPECT_GT(copied.width(), chart->width() / 2);
        EXPECT_GT(coloursOf(copied), 20u);

        platform.printerAnswer = PrintSetup { 3, QPageLayout::Landscape };
        chart->findChild<QAction*>(QStringLiteral("mnuMain(2)"))->trigger();
        ASSERT_EQ(platform.printedDocuments.size(), 3);
        for (const QString& document : platform.printedDocuments) {
            QFile file(document);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray content = file.readAll();
            EXPECT_GT(content.size(), 1000) << "an empty page";
            EXPECT_FALSE(content.contains("/Subtype /Image")) << "lines and text, not a picture of the screen";
            EXPECT_TRUE(content.contains("/MediaBox [0 0 842.000000 595.000000]")) << "A4 turned to landscape";
        }
        platform.printerAnswer.reset();
        chart->findChild<QAction*>(QStringLiteral("mnuMain(2)"))->trigger();
        EXPECT_EQ(platform.printerDialogs, 2);
        EXPECT_EQ(platform.printedDocuments.size(), 3);
    }
}

TEST(ChartCommands, CopyCarriesTheNoticeWhenTheChartShowsIt)
{
    CutoffChart chart;
    chart.resize(600, 400);
    chart.SetDataSource(lrv::test::rows<double>(0, { { 0.5, 1, 0, 1, 0 }, { 0.5, 0, 1, 0, 1 }, { 0.5, 0, 1, 0, 1 } }));
    chart.Refresh();
    auto* notice = chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"));
    ASSERT_FALSE(notice->isHidden());
    chart.findChild<QAction*>(QStringLiteral("mnuMain(0)"))->trigger();
    const QImage image = QApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    // The notice's text is the only dark ink where it stands: the empty plot has light grid lines only.
    const QRect where = notice->geometry().translated(-chart.chartComponent()->pos());
    int ink = 0;
    for (int y = where.top(); y <= where.bottom(); ++y)
        for (int x = where.left(); x <= where.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(ink, 50);
}

} // namespace
