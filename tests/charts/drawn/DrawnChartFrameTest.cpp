#include "charts/GainsChart.h"
#include "charts/LegendLine.h"
#include "charts/LiftChart.h"
#include "charts/ROCChart.h"
#include "charts/VerticalLabel.h"
#include "common/FakePlatform.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"
#include "support/ControlRegistry.h"

#include <gtest/gtest.h>
#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace lrv::test {

namespace {
    std::vector<std::unique_ptr<DrawnChart>> allCharts()
    {
        std::vector<std::unique_ptr<DrawnChart>> charts;
        charts.push_back(std::make_unique<ROCChart>());
        charts.push_back(std::make_unique<GainsChart>());
        charts.push_back(std::make_unique<LiftChart>());
        return charts;
    }

    // What a release of the mouse button at a point of the widget delivers.
    void release(QWidget* widget, Qt::MouseButton button, QPoint at)
    {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(at), QPointF(widget->mapToGlobal(at)), button,
            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }

    QAction* menuItem(QWidget& chart, const char* name)
    {
        return chart.findChild<QMenu*>(QStringLiteral("ctxMain"))->findChild<QAction*>(QString::fromLatin1(name));
    }

    class DrawnChartFrame : public testing::Test {
    protected:
        void SetUp() override { m_platform = &FakePlatform::installFresh(); }
        void TearDown() override
        {
            HostConfiguration::set(nullptr);
            for (QWidget* popup = QApplication::activePopupWidget(); popup; popup = QApplication::activePopupWidget())
                popup->close();
        }
        FakePlatform* m_platform = nullptr;
    };
}

TEST_F(DrawnChartFrame, EveryChartHasTheConstituentControlsMenuAndTitles)
{
    const QStringList vertical = { "TP Rate (Sensitivity)", "% Positive Cases", "Lift Factor" };
    const QStringList horizontal = { "FP Rate (1-Specificity)", "% Overall Population", "% Overall Population" };
    auto charts = allCharts();
    for (std::size_t i = 0; i < charts.size(); ++i) {
        DrawnChart& chart = *charts[i];
        SCOPED_TRACE(chart.objectName().toStdString());
        for (const char* name : { "pic", "lblHLegend", "vlLegend", "picLegend", "txtInvalidData" })
            EXPECT_NE(chart.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
        auto* notice = chart.findChild<QLineEdit*>(QStringLiteral("txtInvalidData"));
        EXPECT_EQ(notice->text(), "Invalid Data");
        EXPECT_TRUE(notice->isHidden());
        EXPECT_EQ(chart.findChild<QLabel*>(QStringLiteral("lblHLegend"))->text(), horizontal[int(i)]);
        EXPECT_EQ(chart.findChild<VerticalLabel*>(QStringLiteral("vlLegend"))->Text(), vertical[int(i)]);

        const QList<QAction*> items = chart.findChild<QMenu*>(QStringLiteral("ctxMain"))->actions();
        ASSERT_EQ(items.size(), 3);
        EXPECT_EQ(items[0]->text(), "&Copy");
        EXPECT_TRUE(items[1]->isSeparator());
        EXPECT_EQ(items[2]->text(), "&Print");

        EXPECT_EQ(chart.picture().xLabels.size(), 11u);
        EXPECT_EQ(chart.picture().yLabels.size(), 11u);
    }
}

TEST_F(DrawnChartFrame, ControlsAreRegisteredUnderTheLibraryProgramIdentifiers)
{
    for (const char* name : { "ROCChart", "GainsChart", "LiftChart", "VerticalLabel" }) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> control(
            ControlRegistry::create(ControlRegistry::progIdOf(QString::fromLatin1(name)), nullptr));
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->metaObject()->className() + 5, name); // after "lrv::"
    }
}

TEST_F(DrawnChartFrame, ColoursComeFromTheHostConfigurationOrDefaultToBlackOnWhite)
{
    {
        ROCChart roc;
        EXPECT_EQ(roc.BackColor(), rgb(255, 255, 255));
        EXPECT_EQ(roc.ForeColor(), 0u);
        EXPECT_EQ(roc.FrameColor(), 0u);
        EXPECT_EQ(roc.ROCColor(), 0u);
        EXPECT_EQ(roc.DiagonalColor(), 0u);
        EXPECT_EQ(roc.LabelsColor(), 0u);
    }
    auto configuration = TestConfiguration::install();
    configuration->setColor(QStringLiteral("LogisticRegression.Charts.Background"), rgb(250, 240, 230));
    configuration->setColor(QStringLiteral("LogisticRegression.Charts.Frame"), rgb(10, 20, 30));
    configuration->setColor(QStringLiteral("LogisticRegression.ROC.Chart.ROC"), rgb(200, 0, 0));
    configuration->setColor(QStringLiteral("LogisticRegression.Gains.Chart.Optimum"), rgb(0, 150, 0));
    configuration->setColor(QStringLiteral("LogisticRegression.Lift.Chart.CumLift"), rgb(0, 0, 150));

    ROCChart roc;
    EXPECT_EQ(roc.BackColor(), rgb(250, 240, 230));
    EXPECT_EQ(roc.ForeColor(), rgb(10, 20, 30));
    EXPECT_EQ(roc.FrameColor(), rgb(10, 20, 30));
    EXPECT_EQ(roc.ROCColor(), rgb(200, 0, 0));
    EXPECT_EQ(roc.findChild<LegendLine*>(QStringLiteral("lnROCCurve"))->BorderColor(), rgb(200, 0, 0));
    EXPECT_EQ(roc.picture().backColor, rgb(250, 240, 230));
    EXPECT_EQ(GainsChart().OptimumColor(), rgb(0, 150, 0));
    EXPECT_EQ(LiftChart().Color(4), rgb(0, 0, 150));

    // A colour let recolours the legend at once and the plot at the next Refresh.
    roc.SetDiagonalColor(rgb(1, 2, 3));
    EXPECT_EQ(roc.findChild<LegendLine*>(QStringLiteral("lnBaseline"))->BorderColor(), rgb(1, 2, 3));
    EXPECT_NE(roc.picture().series.front().color, rgb(1, 2, 3));
    roc.Refresh();
    EXPECT_EQ(roc.picture().series.front().color, rgb(1, 2, 3));
    roc.SetBackColor(rgb(0, 40, 0));
    EXPECT_EQ(roc.findChild<VerticalLabel*>(QStringLiteral("vlLegend"))->BackColor(), rgb(0, 40, 0));
    EXPECT_EQ(roc.findChild<QWidget*>(QStringLiteral("picLegend"))->palette().color(QPalette::Window),
        toQColor(rgb(0, 40, 0)));
}

TEST_F(DrawnChartFrame, ResizeLaysOutTheControlsWithEachChartsConstants)
{
    ROCChart roc;
    roc.resize(640, 400);
    roc.show();
    EXPECT_EQ(roc.findChild<QWidget*>(QStringLiteral("pic"))->geometry(), QRect(129, 20, 335, 335));
    EXPECT_EQ(roc.findChild<QWidget*>(QStringLiteral("vlLegend"))->geometry(), QRect(77, 20, 22, 335));
    EXPECT_EQ(roc.findChild<QWidget*>(QStringLiteral("picLegend"))->pos(), QPoint(484, 57));
    EXPECT_EQ(roc.findChild<QWidget*>(QStringLiteral("txtInvalidData"))->geometry().topLeft(), QPoint(129, 167));

    LiftChart lift;
    lift.resize(640, 400);
    lift.show();
    const int legendWidth = lift.findChild<QWidget*>(QStringLiteral("picLegend"))->width();
    EXPECT_EQ(lift.findChild<QWidget*>(QStringLiteral("pic"))->geometry(), QRect(75, 30, 640 - legendWidth - 90, 313));
    EXPECT_EQ(lift.findChild<QWidget*>(QStringLiteral("picLegend"))->pos(), QPoint(640 - legendWidth, 57));
    EXPECT_EQ(lift.findChild<QWidget*>(QStringLiteral("vlLegend"))->geometry(), QRect(10, 30, 22, 313));
}

TEST_F(DrawnChartFrame, SurfaceMembersConvertBetweenScaleModes)
{
    ROCChart roc;
    EXPECT_EQ(roc.ScaleX(300, DrawnChart::Pixels, DrawnChart::Twips), 4500);
    EXPECT_EQ(roc.ScaleY(1, DrawnChart::Characters, DrawnChart::Pixels), 16);
    EXPECT_EQ(roc.ScaleX(25.4, DrawnChart::Millimeters, DrawnChart::Pixels), 96);
}

TEST_F(DrawnChartFrame, SettingTheFontChangesEveryTickLabel)
{
    GainsChart gains;
    gains.resize(640, 400);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(11);
    gains.SetFont(font);
    gains.Refresh();
    EXPECT_EQ(gains.Font(), font);
    EXPECT_EQ(gains.picture().font, font);
    // Wider text moves the labels of the left axis further left.
    GainsChart plain;
    plain.resize(640, 400);
    plain.Refresh();
    ASSERT_EQ(plain.picture().plot(), gains.picture().plot());
    EXPECT_LT(gains.picture().yLabels[5].topLeft.x(), plain.picture().yLabels[5].topLeft.x());
}

TEST_F(DrawnChartFrame, TickLabelsStandClearOfEachOtherOnSmallChartsAndWithLargeFonts)
{
    QFont large(QStringLiteral("DejaVu Sans"));
    large.setPointSize(22);
    for (const QSize size : { QSize(640, 400), QSize(300, 190) })
        for (const QFont& font : { ROCChart().Font(), large })
            for (const auto& chart : allCharts()) {
                SCOPED_TRACE(chart->objectName().toStdString() + " " + std::to_string(size.width()) + " "
                    + std::to_string(font.pointSize()));
                chart->SetFont(font);
                chart->resize(size);
                chart->Refresh();
                const QFontMetricsF metrics(font);
                for (const auto* labels : { &chart->picture().xLabels, &chart->picture().yLabels }) {
                    std::vector<QRectF> boxes;
                    for (const TickLabel& label : *labels)
                        if (!label.text.isEmpty())
                            boxes.emplace_back(
                                label.topLeft, QSizeF(metrics.horizontalAdvance(label.text), metrics.height()));
                    EXPECT_NE(boxes.size(), 1u) << "an axis keeps its ends labelled, or has no labels at all";
                    for (std::size_t i = 0; i < boxes.size(); ++i)
                        for (std::size_t j = i + 1; j < boxes.size(); ++j)
                            EXPECT_FALSE(boxes[i].intersects(boxes[j])) << i << " and " << j;
                }
            }
}

TEST_F(DrawnChartFrame, RightButtonReleaseOverTheSurfaceOrThePlotOpensTheMenu)
{
    ROCChart roc;
    roc.resize(640, 400);
    roc.show();
    auto* menu = roc.findChild<QMenu*>(QStringLiteral("ctxMain"));
    QWidget* pic = roc.findChild<QWidget*>(QStringLiteral("pic"));

    release(pic, Qt::RightButton, QPoint(50, 50));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    release(&roc, Qt::LeftButton, QPoint(5, 5));
    EXPECT_FALSE(menu->isVisible());
    release(&roc, Qt::RightButton, QPoint(5, 5));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(DrawnChartFrame, CopyPutsTheControlsImageOnTheClipboard)
{
    auto configuration = TestConfiguration::install();
    configuration->setColor(QStringLiteral("LogisticRegression.Charts.Frame"), rgb(200, 0, 0));
    configuration->setColor(QStringLiteral("LogisticRegression.Charts.Background"), rgb(255, 255, 255));
    GainsChart gains;
    gains.resize(500, 320);
    gains.show();
    QGuiApplication::clipboard()->clear();
    menuItem(gains, "mnuMain(0)")->trigger();

    const QImage image = QGuiApplication::clipboard()->image();
    ASSERT_EQ(image.size(), QSize(500, 320));
    const QRect plot = gains.picture().plot();
    EXPECT_EQ(image.pixelColor(plot.left() - 1, plot.center().y()), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(plot.left() + plot.width(), plot.center().y()), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(plot.left() + 3, plot.top() + 3), QColor(255, 255, 255));
}

TEST_F(DrawnChartFrame, PrintMakesOneDocumentPerCopyAndCancelPrintsNothing)
{
    LiftChart lift;
    lift.resize(500, 320);
    lift.show();
    m_platform->printerAnswer = PrintSetup { 3, QPageLayout::Landscape };
    menuItem(lift, "mnuMain(2)")->trigger();
    EXPECT_EQ(m_platform->printerDialogs, 1);
    ASSERT_EQ(m_platform->printedDocuments.size(), 3);
    for (const QString& document : m_platform->printedDocuments) {
        QFile file(document);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        EXPECT_TRUE(content.startsWith("%PDF"));
        EXPECT_FALSE(content.contains("/Subtype /Image")) << "lines and text, not a picture of the screen";
        EXPECT_TRUE(content.contains("/MediaBox [0 0 842.000000 595.000000]")); // A4 turned to landscape
    }

    m_platform->printerAnswer.reset();
    menuItem(lift, "mnuMain(2)")->trigger();
    EXPECT_EQ(m_platform->printerDialogs, 2);
    EXPECT_EQ(m_platform->printedDocuments.size(), 3);
}

} // namespace lrv::test
