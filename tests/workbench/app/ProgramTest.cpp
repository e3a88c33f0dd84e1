// The commands of `vantorix-lr` besides export and compare: new, synth, classes (the dialog) and show.
#include "workbench/Program.h"

#include "run/Run.h"
#include "run/RunFile.h"

#include <QSet>
#include <QTemporaryDir>

using namespace wb;
using namespace wb::test;

namespace {

const QString dataDir = QStringLiteral(LRV_TEST_DATA "/workbench");

}

TEST(Program, NewMakesARunWithEncodingFitnessAndRelativePaths)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("made");
    const Outcome outcome = runProgram({ "new", "--training", dataDir + "/targets-2-5.csv", "--target", "target",
        "--id", "id", "--models", "score", "--out", out });
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains("--invert")) << outcome.err.toStdString();

    const RunDocument document = RunFile::load(out + ".run");
    ASSERT_TRUE(document.dataSets[0]);
    EXPECT_EQ(document.dataSets[0]->encoding.min, 2); // the smaller of two target values is class 0
    EXPECT_EQ(document.dataSets[0]->encoding.max, 5);
    EXPECT_TRUE(QFileInfo(document.dataSets[0]->path).isRelative());
    const auto run = Run::open(out + ".run");
    EXPECT_EQ(run->dataSetAt(1)->csvPath(), QFileInfo(dataDir + "/targets-2-5.csv").canonicalFilePath());
    ASSERT_EQ(document.models.size(), 1u);
    EXPECT_GE(document.models[0].trainingAccuracy, 50);
    EXPECT_EQ(run->parameterList()->integer("data#train_Samples", 0), 6);
    EXPECT_EQ(run->parameterList()->integer("data#test_Samples", -1), 0);

    // Made again: refused without --force, the run untouched; replaced with it.
    const QByteArray made = readFile(out + ".run");
    QStringList again
        = { "new", "--training", dataDir + "/train.csv", "--target", "target", "--models", "good", "--out", out };
    const Outcome refused = runProgram(again);
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains("--force")) << refused.err.toStdString();
    EXPECT_EQ(readFile(out + ".run"), made);
    again << "--force";
    EXPECT_EQ(runProgram(again).status, 0);
    EXPECT_EQ(RunFile::load(out + ".run").models.at(0).outputColumn, "good");
}

TEST(Program, SynthIsRepeatableAndMakesALoadableRun)
{
    QTemporaryDir first, second;
    for (const QTemporaryDir* dir : { &first, &second }) {
        const Outcome outcome
            = runProgram({ "synth", "--records", "1100", "--models", "3", "--seed", "7", "--out", dir->path() });
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    }
    const QByteArray csv = readFile(first.filePath("train.csv"));
    EXPECT_EQ(csv, readFile(second.filePath("train.csv")));

    const QString runPath = first.filePath("synth.run");
    const auto run = Run::open(runPath);
    EXPECT_EQ(run->models()->count(), 3);
    EXPECT_EQ(run->dataSet(1)->count(), 1100);
    EXPECT_EQ(run->dataSet(2)->count(), 550);
    // Model 1 separates the classes better than model 2.
    EXPECT_GT(run->models()->item(0)->trainingRSquare(), run->models()->item(1)->trainingRSquare());

    // The third model rounds its outputs: far fewer distinct values than records.
    QSet<QByteArray> distinct;
    for (const QByteArray& line : csv.split('\n').mid(1))
        distinct.insert(line.split(',').value(4));
    EXPECT_LE(distinct.size(), 102);

    // --records all writes every record, beyond the default cut.
    const QString out = first.filePath("out");
    ASSERT_EQ(runProgram({ "export", runPath, "--records", "all", "--out", out }).status, 0);
    EXPECT_EQ(readTsv(out + "/roc.tsv").size(), 1101u);
}

TEST(Program, CommandsWithoutAScreenIgnoreTheDisplayAndExportWritesNoSettings)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("config");
    // A display that cannot be reached, as on a server with a stale DISPLAY.
    const Outcome exported = runProgram({ "export", dataDir + "/small.run", "--out", dir.filePath("out") },
        { { "DISPLAY", ":97" }, { "WAYLAND_DISPLAY", "wayland-97" }, { "XDG_CONFIG_HOME", config } });
    EXPECT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(config)) << "export reads the user's settings but never writes them";

    const Outcome shown = runProgram({ "show", dataDir + "/small.run" }, { { "QT_QPA_PLATFORM", "offscreen" } }, 15000);
    EXPECT_EQ(shown.status, 2);
    EXPECT_TRUE(shown.err.contains("needs a screen")) << shown.err.toStdString();
}
