#include "ComponentTestSupport.h"
#include "charts/CutoffChart.h"
#include "charts/SlopeChart.h"
#include "common/FakePlatform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

using namespace lrv;

namespace {

TEST(ChartCommands, MenuHoldsCopySeparatorAndPrint)
{
    SlopeChart chart;
    const QStringList expected = { QStringLiteral("&Copy"), QString(), QStringLiteral("&Print") };
    for (int i = 0; i < 3; ++i) {
        auto* action = chart.findChild<QAction*>(QStringLiteral("mnuMain(%1)").arg(i));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->isSeparator(), i == 1);
        EXPECT_EQ(action->text(), expected[i]);
    }
}

TEST(ChartCommands, RightButtonReleaseOverTheComponentOpensTheMenu)
{
    SlopeChart chart;
    chart.resize(400, 300);
    chart.show();
    QWidget* viewport = chart.chartComponent()->findChild<QChartView*>()->viewport();
    ASSERT_NE(viewport, nullptr);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(100, 100), viewport->mapToGlobal(QPointF(100, 100)),
        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &release);
    auto* menu = chart.findChild<QMenu*>(QStringLiteral("ctxMain"));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST(ChartCommands, CopyPutsTheComponentsPictureOnTheClipboard)
{
    SlopeChart chart;
    chart.resize(420, 300);
    QApplication::clipboard()->clear();
    chart.findChild<QAction*>(QStringLiteral("mnuMain(0)"))->trigger();
    const QImage image = QApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size() / image.devicePixelRatio(), chart.chartComponent()->size());
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

TEST(ChartCommands, PrintMakesOneDocumentPerCopyAndNoneWhenCancelled)
{
    auto& platform = lrv::test::FakePlatform::installFresh();
    SlopeChart chart;
    chart.resize(420, 300);
    platform.printerAnswer = PrintSetup { 3, QPageLayout::Landscape };
    chart.findChild<QAction*>(QStringLiteral("mnuMain(2)"))->trigger();
    ASSERT_EQ(platform.printedDocuments.size(), 3);
    for (const QString& document : platform.printedDocuments) {
        QFile file(document);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        EXPECT_GT(content.size(), 1000) << "an empty page";
        EXPECT_FALSE(content.contains("/Subtype /Image")) << "lines and text, not a picture of the screen";
    }

    platform.printerAnswer.reset();
    chart.findChild<QAction*>(QStringLiteral("mnuMain(2)"))->trigger();
    EXPECT_EQ(platform.printerDialogs, 2);
    EXPECT_EQ(platform.printedDocuments.size(), 3);
}

} // namespace
