#include "DrawnTestTables.h"
#include "charts/GainsChart.h"
#include "charts/LiftChart.h"
#include "charts/ROCChart.h"
#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"
#include "support/Capture.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTemporaryDir>

namespace lrv::test {

namespace {
    const OleColor kFrameColor = rgb(60, 60, 60);
    const OleColor kRocColor = rgb(200, 30, 40);
    const OleColor kLiftColor = rgb(20, 90, 200);
    const OleColor kCumLiftColor = rgb(230, 120, 0);

    // LRV_DRAWN_PNG_DIR keeps the images for a look; otherwise they go to a temporary folder.
    QString imageFolder(const QTemporaryDir& temporary)
    {
        const QString kept = qEnvironmentVariable("LRV_DRAWN_PNG_DIR");
        return kept.isEmpty() ? temporary.path() : kept;
    }

    // Pixels of the colour's hue, so that smoothed lines count and grey frames and texts do not.
    int pixelsOf(const QImage& image, const QRect& area, OleColor color)
    {
        const int hue = toQColor(color).hsvHue();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                const int offset = std::abs(pixel.hsvHue() - hue);
                count += pixel.hsvSaturation() > 60 && std::min(offset, 360 - offset) < 20 ? 1 : 0;
            }
        return count;
    }

    class SmokePaint : public testing::Test {
    protected:
        void SetUp() override
        {
            auto configuration = TestConfiguration::install();
            configuration->setColor(QStringLiteral("LogisticRegression.Charts.Background"), rgb(255, 255, 255));
            configuration->setColor(QStringLiteral("LogisticRegression.Charts.Frame"), kFrameColor);
            configuration->setColor(QStringLiteral("LogisticRegression.ROC.Chart.ROC"), kRocColor);
            configuration->setColor(QStringLiteral("LogisticRegression.ROC.Chart.Diagonal"), rgb(120, 120, 120));
            configuration->setColor(QStringLiteral("LogisticRegression.Gains.Chart.Lift"), kLiftColor);
            configuration->setColor(QStringLiteral("LogisticRegression.Gains.Chart.Diagonal"), rgb(120, 120, 120));
            configuration->setColor(QStringLiteral("LogisticRegression.Gains.Chart.Optimum"), rgb(40, 160, 60));
            configuration->setColor(QStringLiteral("LogisticRegression.Lift.Chart.Random"), rgb(120, 120, 120));
            configuration->setColor(QStringLiteral("LogisticRegression.Lift.Chart.Ideal"), rgb(40, 160, 60));
            configuration->setColor(QStringLiteral("LogisticRegression.Lift.Chart.Lift"), kLiftColor);
            configuration->setColor(QStringLiteral("LogisticRegression.Lift.Chart.CumLift"), kCumLiftColor);
        }
        void TearDown() override { HostConfiguration::set(nullptr); }

        QImage shoot(DrawnChart& chart, const QString& name)
        {
            chart.resize(640, 400);
            chart.show();
            const QImage image = Capture::CaptureControl(&chart).toImage();
            EXPECT_TRUE(image.save(imageFolder(m_folder) + QStringLiteral("/drawn-%1.png").arg(name)));
            return image;
        }

        QTemporaryDir m_folder;
    };
}

TEST_F(SmokePaint, RealisticTablesPaintTheirCurvesInsideThePlot)
{
    ROCChart roc;
    roc.SetDataSource(realisticRocTable());
    roc.SetAUC(0.874531);
    QImage image = shoot(roc, QStringLiteral("roc"));
    EXPECT_GT(pixelsOf(image, roc.picture().plot(), kRocColor), 100);
    EXPECT_FALSE(roc.picture().invalidData);

    GainsChart gains;
    gains.SetDataSource(realisticGainsTable());
    gains.SetStats(0.781234, 0.702345);
    image = shoot(gains, QStringLiteral("gains"));
    EXPECT_GT(pixelsOf(image, gains.picture().plot(), kLiftColor), 100);

    LiftChart lift;
    lift.SetDataSource(realisticLiftTable());
    lift.SetStats(0.912345, 0.654321);
    image = shoot(lift, QStringLiteral("lift"));
    EXPECT_GT(pixelsOf(image, lift.picture().plot(), kLiftColor), 50);
    EXPECT_GT(pixelsOf(image, lift.picture().plot(), kCumLiftColor), 50);

    // Nothing of a series leaves the plot: the column left of the frame holds no curve colour.
    const QRect plot = roc.picture().plot();
    EXPECT_EQ(pixelsOf(shoot(roc, QStringLiteral("roc")), QRect(0, 0, plot.left() - 1, roc.height()), kRocColor), 0);
}

TEST_F(SmokePaint, NeutralChartsAndTheInvalidNoticePaint)
{
    ROCChart roc;
    shoot(roc, QStringLiteral("roc-reset"));
    LiftChart lift;
    shoot(lift, QStringLiteral("lift-reset"));
    GainsChart gains;
    shoot(gains, QStringLiteral("gains-reset"));
    roc.SetDataSource(doubleRows({ { 0, 0, 0, 0, 0, 0, 0, 0, 0.5, 0.5 } }));
    roc.Refresh();
    shoot(roc, QStringLiteral("roc-invalid"));
    EXPECT_TRUE(roc.findChild<QWidget*>(QStringLiteral("txtInvalidData"))->isVisible());
}

TEST_F(SmokePaint, SvgOfAChartHoldsItsLinesAndLabels)
{
    GainsChart gains;
    gains.resize(640, 400);
    gains.SetDataSource(realisticGainsTable());
    gains.Refresh();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(gains.size());
    QPainter painter(&generator);
    gains.paintControl(painter);
    painter.end();
    const QString svg = QString::fromUtf8(buffer.data());
    EXPECT_TRUE(svg.contains(QStringLiteral("<polyline")) || svg.contains(QStringLiteral("<path")));
    EXPECT_TRUE(svg.contains(QStringLiteral(">90<")));
}

} // namespace lrv::test
