// Run files, style files and configurations that cannot be used: the message the user reads, and the
// files on disk left as they were.
#include "Scenario.h"
#include "run/Configuration.h"
#include "run/Run.h"
#include "support/Error.h"
#include "support/XTremeChartsHelper.h"

#include <functional>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>

using wb::test::RecordingCalculateView;
using wb::test::Scenario;

namespace {

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const lrv::Error& error) {
        return error.what();
    }
    ADD_FAILURE() << "no lrv::Error was thrown";
    return {};
}

/// A chart that records the styles it was given.
class StyledChart : public lrv::IStyledChart {
public:
    void loadContent(const lrv::ChartContentStyle& content) override { contents.push_back(content); }
    void loadPalette(const lrv::ChartPaletteStyle& palette) override { palettes.push_back(palette); }
    QWidget* chartWindow() override { return nullptr; }
    std::vector<lrv::ChartContentStyle> contents;
    std::vector<lrv::ChartPaletteStyle> palettes;
};

}

TEST(BadRunFile, ARunPointingToAMissingCsvNamesTheFile)
{
    Scenario scenario("id,target,score\n1,1,0.9\n2,0,0.1\n");
    ASSERT_TRUE(QFile::remove(scenario.csvPath()));
    const RecordingCalculateView view = scenario.calculate();
    EXPECT_EQ(Scenario::onlyError(view), "Cannot open the file " + scenario.csvPath() + ": No such file or directory.");
    EXPECT_EQ(view.count("SetCalculationMode"), 0);
    EXPECT_TRUE(scenario.runUnchanged());
}

TEST(BadRunFile, TextThatIsNotJsonIsRefusedWithItsLine)
{
    Scenario scenario("id,target,score\n");
    const QByteArray text = "id,target,score\n1,1,0.9\n";
    Scenario::writeFile(scenario.runPath(), text);
    EXPECT_EQ(errorOf([&] { wb::Run::open(scenario.runPath()); }),
        ("The run file " + scenario.runPath()
            + " is not valid JSON at line 1: syntax error while parsing value - invalid literal; last read: 'i'. "
              "Correct the file or make it again with \"vantorix-lr new\".")
            .toStdString());
    EXPECT_EQ(Scenario::readFile(scenario.runPath()), text);

    // A number no double holds is refused like a syntax error.
    Scenario::writeFile(scenario.runPath(), R"({"format": 1e999})");
    EXPECT_EQ(errorOf([&] { wb::Run::open(scenario.runPath()); }),
        ("The run file " + scenario.runPath()
            + " is not valid JSON: number overflow parsing '1e999'. Correct the file or make it again with "
              "\"vantorix-lr new\".")
            .toStdString());
    Scenario::writeFile(scenario.runPath(), text);

    // The user's road: the program says the same on its error stream, and fails with status 2.
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../workbench/app/vantorix-lr");
    if (!QFileInfo::exists(program))
        GTEST_SKIP() << "vantorix-lr is not built: " << program.toStdString();
    QProcess process;
    process.start(
        program, { QStringLiteral("export"), scenario.runPath(), QStringLiteral("--out"), scenario.folder() + "/out" });
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
        "vantorix-lr export: The run file " + scenario.runPath()
            + " is not valid JSON at line 1: syntax error while parsing value - invalid literal; last read: 'i'. "
              "Correct the file or make it again with \"vantorix-lr new\".\n");
    EXPECT_EQ(Scenario::readFile(scenario.runPath()), text);
    EXPECT_FALSE(QFileInfo::exists(scenario.folder() + "/out/index.html"));
}

// Tests run as root, for whom permissions stop nothing; a run whose folder is gone or is a file cannot be
// written by anyone, which is what a read-only run file means to the save.
TEST(BadRunFile, ASaveThatCannotWriteSaysSoAndKeepsTheFile)
{
    Scenario scenario("id,target,score\n1,1,0.9\n2,0,0.1\n");
    const auto run = wb::Run::open(scenario.runPath());
    run->parameters()->set(QStringLiteral("set_lr#Buckets"), lrv::RunParameterInt32, 7);

    // The folder vanishes while the window is open (moved away by the user).
    const QString moved = scenario.folder() + QStringLiteral("-moved");
    ASSERT_TRUE(QDir().rename(scenario.folder(), moved));
    EXPECT_EQ(errorOf([&] { run->save(); }),
        ("Cannot write " + scenario.runPath()
            + ": cannot create a file beside it: No such file or directory. The old file, if any, is unchanged; "
              "check that the folder exists and has room.")
            .toStdString());
    const QByteArray kept = Scenario::readFile(moved + QStringLiteral("/bad.run"));
    ASSERT_TRUE(QDir().rename(moved, scenario.folder()));
    EXPECT_TRUE(scenario.runUnchanged());
    EXPECT_EQ(kept, Scenario::readFile(scenario.runPath()));
    EXPECT_EQ(QDir(scenario.folder()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left

    // A run file whose folder is a file.
    const QString underFile = scenario.csvPath() + QStringLiteral("/bad.run");
    const wb::Run misplaced(underFile, run->document());
    EXPECT_EQ(errorOf([&] { misplaced.save(); }),
        ("Cannot write " + underFile
            + ": cannot create a file beside it: Not a directory. The old file, if any, is unchanged; check that "
              "the folder exists and has room.")
            .toStdString());
    EXPECT_EQ(Scenario::readFile(scenario.csvPath()), "id,target,score\n1,1,0.9\n2,0,0.1\n");
}

TEST(BadStyleFile, TextThatIsNotXmlLeavesTheChartAsItWas)
{
    Scenario scenario("");
    const QString path = scenario.folder() + QStringLiteral("/LRROC.xml");
    Scenario::writeFile(path, "{\"title\": \"ROC\"}\n");
    EXPECT_EQ(errorOf([&] { lrv::XTremeChartsHelper::ReadChartContent(path); }),
        "Chart style file LRROC.xml, line 1: the file does not begin with a <ChartStyle> element.");
    StyledChart chart;
    EXPECT_FALSE(lrv::XTremeChartsHelper::LoadChartContent(chart, path));
    EXPECT_FALSE(lrv::XTremeChartsHelper::LoadChartPalette(chart, path));
    EXPECT_TRUE(chart.contents.empty());
    EXPECT_TRUE(chart.palettes.empty());

    // Well-formed XML cut short names the line where it stops.
    Scenario::writeFile(path, "<ChartStyle>\n<Content>\n<Title text=\"ROC\"/>\n");
    EXPECT_EQ(errorOf([&] { lrv::XTremeChartsHelper::ReadChartContent(path); }),
        "Chart style file LRROC.xml, line 4: Premature end of document.");
    EXPECT_FALSE(lrv::XTremeChartsHelper::LoadChartContent(chart, path));
    EXPECT_TRUE(chart.contents.empty());
}

TEST(BadConfiguration, ColoursMissingOrNotNumbersAreRefusedOrBlack)
{
    Scenario scenario("");
    const QString path = scenario.folder() + QStringLiteral("/config.json");
    Scenario::writeFile(path, R"({"LogisticRegression.Charts.Background": "white"})");
    const auto configuration = wb::Configuration::load(path);
    EXPECT_FALSE(configuration->setting(QStringLiteral("LogisticRegression.Charts.Background.R")));

    Scenario::writeFile(path, R"({"LogisticRegression.Charts.Background": {"R": 255, "G": 255, "B": 255}})");
    EXPECT_EQ(errorOf([&] { wb::Configuration::load(path); }),
        ("The configuration " + path
            + ": \"LogisticRegression.Charts.Background\" must be a number or a text (a colour is three keys "
              "\"LogisticRegression.Charts.Background.R\", \"LogisticRegression.Charts.Background.G\", "
              "\"LogisticRegression.Charts.Background.B\").")
            .toStdString());

    Scenario::writeFile(path, "{\n\"a\": 1\n\"b\": 2}");
    EXPECT_EQ(errorOf([&] { wb::Configuration::load(path); }),
        ("The configuration " + path
            + " is not valid JSON at line 3: syntax error while parsing object - unexpected string literal; "
              "expected '}'.")
            .toStdString());

    Scenario::writeFile(path, R"({"LogisticRegression.Charts.Background.R": 1e400})");
    EXPECT_EQ(errorOf([&] { wb::Configuration::load(path); }),
        ("The configuration " + path + " is not valid JSON: number overflow parsing '1e400'.").toStdString());

    Scenario::writeFile(path, "[1, 2, 3]");
    EXPECT_EQ(errorOf([&] { wb::Configuration::load(path); }),
        ("The configuration " + path + " must hold one JSON object of keys to values.").toStdString());
}
