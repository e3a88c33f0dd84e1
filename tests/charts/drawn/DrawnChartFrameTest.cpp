#include "charts/GainsChart.h"
#include "charts/LegendLine.h"
#include "charts/LiftChart.h"
#include "charts/ROCChart.h"
#include "charts/VerticalLabel.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"
#include "support/ControlRegistry.h"
#include "support/Error.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

namespace lrv::test {

TEST(ChartControls, AreRegisteredUnderTheLibraryProgramIdentifiers)
{
    for (const char* name :
        { "ROCChart", "GainsChart", "LiftChart", "CalibrationChart", "CutoffChart", "LogisticFitChart", "SlopeChart",
            "TrendlineChart", "QuantileChart", "ConfusionMatrix", "VerticalLabel" }) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> control(
            ControlRegistry::create(ControlRegistry::progIdOf(QString::fromLatin1(name)), nullptr));
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->metaObject()->className() + 5, name); // after "lrv::"
    }
}

TEST(DrawnChartFrame, ColoursComeFromTheHostConfigurationAndALetRecoloursTheLegendAtOnceAndThePlotOnRefresh)
{
    auto configuration = TestConfiguration::install();
    configuration->setColor(QStringLiteral("LogisticRegression.Charts.Frame"), rgb(10, 20, 30));
    configuration->setColor(QStringLiteral("LogisticRegression.ROC.Chart.ROC"), rgb(200, 0, 0));
    configuration->setColor(QStringLiteral("LogisticRegression.Gains.Chart.Optimum"), rgb(0, 150, 0));
    configuration->setColor(QStringLiteral("LogisticRegression.Lift.Chart.CumLift"), rgb(0, 0, 150));
    ROCChart roc;
    EXPECT_EQ(roc.FrameColor(), rgb(10, 20, 30));
    EXPECT_EQ(roc.findChild<LegendLine*>(QStringLiteral("lnROCCurve"))->BorderColor(), rgb(200, 0, 0));
    EXPECT_EQ(GainsChart().OptimumColor(), rgb(0, 150, 0));
    EXPECT_EQ(LiftChart().Color(4), rgb(0, 0, 150));
    HostConfiguration::set(nullptr);

    roc.SetDiagonalColor(rgb(1, 2, 3));
    EXPECT_EQ(roc.findChild<LegendLine*>(QStringLiteral("lnBaseline"))->BorderColor(), rgb(1, 2, 3));
    EXPECT_NE(roc.picture().series.front().color, rgb(1, 2, 3));
    roc.Refresh();
    EXPECT_EQ(roc.picture().series.front().color, rgb(1, 2, 3));
    EXPECT_THROW(LiftChart().SetColor(5, 0), Error) << "the lift chart has colours 1 to 4";
    EXPECT_THROW(LiftChart().SetColor(0, 0), Error);
}

TEST(DrawnChartFrame, TickLabelsTakeTheFontAndStandClearOfEachOtherOnSmallChartsAndWithLargeFonts)
{
    QFont large(QStringLiteral("DejaVu Sans"));
    large.setPointSize(22);
    ROCChart roc;
    GainsChart gains;
    LiftChart lift;
    for (const QSize size : { QSize(640, 400), QSize(300, 190) })
        for (const QFont& font : { ROCChart().Font(), large })
            for (DrawnChart* chart : std::initializer_list<DrawnChart*> { &roc, &gains, &lift }) {
                SCOPED_TRACE(chart->objectName().toStdString() + " " + std::to_string(size.width()) + " "
                    + std::to_string(font.pointSize()));
                chart->SetFont(font);
                chart->resize(size);
                chart->Refresh();
                EXPECT_EQ(chart->picture().font, font);
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

} // namespace lrv::test
