#include "run/Configuration.h"

#include "host/HostConfiguration.h"
#include "run/HostEnvironment.h"
#include "run/Installation.h"
#include "support/Error.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

using namespace wb;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return file.fileName();
}

}

TEST(Configuration, DefaultHoldsEveryKeyTheViewsRead)
{
    const auto configuration = Configuration::load(QStringLiteral(LRV_SOURCE_DIR "/config/default.json"));
    const char* const colours[] = { "Charts.Background", "Charts.Frame", "ROC.Chart.Diagonal", "ROC.Chart.ROC",
        "Gains.Chart.Diagonal", "Gains.Chart.Lift", "Gains.Chart.Optimum", "Lift.Chart.Random", "Lift.Chart.Ideal",
        "Lift.Chart.Lift", "Lift.Chart.CumLift", "Cutoff.Chart.OCP", "Cutoff.Chart.LCP", "Cutoff.Chart.FNR",
        "Cutoff.Chart.FPR", "Cutoff.Chart.TNR", "Cutoff.Chart.TPR", "LogOdds.Chart.Slope", "LogOdds.Chart.LogOdds",
        "LogisticFit.Chart.One", "LogisticFit.Chart.Zero", "LogisticFit.Chart.Line", "LogisticFit.Chart.LCP",
        "TrendLine.Chart.Slope", "TrendLine.Chart.TrendLine", "Quantile.Chart.Positives.BackColor",
        "Quantile.Chart.Positives.Border", "Quantile.Chart.Negatives.BackColor", "Quantile.Chart.Negatives.Border",
        "ConfMatrix.Chart.TP.BackColor", "ConfMatrix.Chart.TP.Border", "ConfMatrix.Chart.TN.BackColor",
        "ConfMatrix.Chart.TN.Border", "ConfMatrix.Chart.FP.BackColor", "ConfMatrix.Chart.FP.Border",
        "ConfMatrix.Chart.FN.BackColor", "ConfMatrix.Chart.FN.Border", "Cutoff.Chart.Threshold.Backcolor",
        "Logistic.Threshold.Backcolor", "Grid.RowColor.CalculationError" };
    for (const char* colour : colours) {
        for (const char* part : { ".R", ".G", ".B" }) {
            const QString key = "LogisticRegression." + QLatin1String(colour) + QLatin1String(part);
            SCOPED_TRACE(key.toStdString());
            const auto value = configuration->setting(key);
            ASSERT_TRUE(value && value->isNumeric());
            EXPECT_GE(value->toDouble(), 0);
            EXPECT_LE(value->toDouble(), 255);
        }
    }
    for (const char* number : { "LogisticFit.Chart.NumberOfDummyPoints", "Chart.ConfMatrix.StreamingThreshold",
             "Chart.Quantile.StreamingThreshold" }) {
        const auto value = configuration->setting("LogisticRegression." + QLatin1String(number));
        ASSERT_TRUE(value && value->isNumeric()) << number;
        EXPECT_GE(value->toDouble(), 1) << number;
    }

    // The help base becomes a file: address of the bundled pages, ready for a query.
    const auto help = configuration->setting("App.Help");
    ASSERT_TRUE(help);
    const QString address = help->text();
    EXPECT_TRUE(address.startsWith("file:")) << address.toStdString();
    EXPECT_TRUE(address.endsWith(QLatin1Char('?'))) << address.toStdString();
    const QString local = QUrl(address.chopped(1)).toLocalFile();
    EXPECT_EQ(QFileInfo(local).absolutePath(), QStringLiteral(LRV_SOURCE_DIR "/help"));
}

TEST(Configuration, ValuesOfEveryKind)
{
    QTemporaryDir dir;
    const auto configuration = Configuration::load(writeFile(
        dir, "c.json", R"({"A.R": 12, "Name": "text", "On": true, "App.Help": "https://example.org/help?", "Big": 3e10,
            "Red.R": 300, "Red.G": -5, "Red.B": 0})"));
    EXPECT_EQ(configuration->setting("A.R")->toDouble(), 12);
    EXPECT_EQ(configuration->setting("Name")->text(), "text");
    EXPECT_EQ(configuration->setting("On")->toDouble(), 1);
    EXPECT_EQ(configuration->setting("App.Help")->text(), "https://example.org/help?");
    EXPECT_FALSE(configuration->setting("Missing"));

    // As the views read it: a number beyond 32 bits is no integer, a colour's parts are clamped to 0..255.
    const auto previous = lrv::HostConfiguration::get();
    lrv::HostConfiguration::set(configuration);
    EXPECT_EQ(lrv::HostConfiguration::integer("Big", 7), 7);
    EXPECT_EQ(lrv::HostConfiguration::integer("A.R", 7), 12);
    EXPECT_EQ(lrv::HostConfiguration::color("Red"), lrv::rgb(255, 0, 0));
    lrv::HostConfiguration::set(previous);
}

TEST(HostEnvironment, StylesFolderOfTheTree)
{
    EXPECT_TRUE(HostEnvironment().folder().endsWith("/styles"));
    EXPECT_EQ(HostEnvironment("/x").folder(), "/x");
    EXPECT_EQ(Installation::folder("config"), QStringLiteral(LRV_SOURCE_DIR "/config"));
}
