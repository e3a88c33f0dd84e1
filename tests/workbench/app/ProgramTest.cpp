// The commands of `vantorix-lr` besides export and compare: new, synth, classes (the dialog) and show.
#include "workbench/Program.h"

#include "presenters/WorkbenchHostCore.h"
#include "run/Run.h"
#include "run/RunFile.h"
#include "window/frmClassRepresentation.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
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
    const QString out = dir.filePath(QStringLiteral("made"));
    const Outcome outcome = runProgram(
        { QStringLiteral("new"), QStringLiteral("--training"), dataDir + QStringLiteral("/targets-2-5.csv"),
            QStringLiteral("--target"), QStringLiteral("target"), QStringLiteral("--id"), QStringLiteral("id"),
            QStringLiteral("--models"), QStringLiteral("score"), QStringLiteral("--out"), out });
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral(": 1 model, 6 training records."))) << outcome.out.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("model 1 score: AUC 0."))) << outcome.out.toStdString();
    EXPECT_FALSE(outcome.err.contains(QStringLiteral("--invert"))) << outcome.err.toStdString();

    const RunDocument document = RunFile::load(out + QStringLiteral(".run"));
    ASSERT_TRUE(document.dataSets[0]);
    EXPECT_FALSE(document.dataSets[1]);
    EXPECT_EQ(document.dataSets[0]->encoding.min, 2); // the smaller of two target values is class 0
    EXPECT_EQ(document.dataSets[0]->encoding.max, 5);
    EXPECT_FALSE(document.dataSets[0]->encoding.invert);
    EXPECT_TRUE(QFileInfo(document.dataSets[0]->path).isRelative());
    const auto run = Run::open(out + QStringLiteral(".run"));
    EXPECT_EQ(
        run->dataSetAt(1)->csvPath(), QFileInfo(dataDir + QStringLiteral("/targets-2-5.csv")).canonicalFilePath());
    ASSERT_EQ(document.models.size(), 1u);
    EXPECT_EQ(document.models[0].id, 1);
    EXPECT_EQ(document.models[0].outputColumn, QStringLiteral("score"));
    EXPECT_GE(document.models[0].trainingFitness, 0);
    EXPECT_LE(document.models[0].trainingFitness, 1);
    EXPECT_GE(document.models[0].trainingAccuracy, 50);
    EXPECT_EQ(run->parameterList()->integer(QStringLiteral("data#train_Samples"), 0), 6);
    EXPECT_EQ(run->parameterList()->integer(QStringLiteral("data#test_Samples"), -1), 0);

    // Made again: refused without --force, the run untouched; replaced with it.
    const QByteArray made = readFile(out + QStringLiteral(".run"));
    QStringList again = { QStringLiteral("new"), QStringLiteral("--training"), dataDir + QStringLiteral("/train.csv"),
        QStringLiteral("--target"), QStringLiteral("target"), QStringLiteral("--models"), QStringLiteral("good"),
        QStringLiteral("--out"), out };
    const Outcome refused = runProgram(again);
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--force"))) << refused.err.toStdString();
    EXPECT_EQ(readFile(out + QStringLiteral(".run")), made);
    again << QStringLiteral("--force");
    EXPECT_EQ(runProgram(again).status, 0);
    EXPECT_EQ(RunFile::load(out + QStringLiteral(".run")).models.at(0).outputColumn, QStringLiteral("good"));
}

TEST(Program, NewMarksCalculationErrorsAndInverts)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("inv.run"));
    const Outcome outcome
        = runProgram({ QStringLiteral("new"), QStringLiteral("--training"), dataDir + QStringLiteral("/train.csv"),
            QStringLiteral("--validation"), dataDir + QStringLiteral("/valid.csv"), QStringLiteral("--target"),
            QStringLiteral("target"), QStringLiteral("--id"), QStringLiteral("id"), QStringLiteral("--models"),
            QStringLiteral("good,errors"), QStringLiteral("--invert"), QStringLiteral("--out"), out });
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral(": 2 models,"))) << outcome.out.toStdString();
    // Inverted, the good model ranks the positive class last: the user is told.
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("model 1 good: the model ranks the positive class low; did you "
                                                    "mean --invert?")))
        << outcome.err.toStdString();
    const RunDocument document = RunFile::load(out);
    ASSERT_TRUE(document.dataSets[1]);
    EXPECT_TRUE(document.dataSets[0]->encoding.invert);
    EXPECT_TRUE(document.dataSets[1]->encoding.invert);
    ASSERT_EQ(document.models.size(), 2u);
    EXPECT_EQ(document.models[1].id, 2);
    EXPECT_EQ(document.models[1].trainingFitness, -11111); // outputs that are empty or text
    EXPECT_GE(document.models[1].validationFitness, 0); // the validation outputs are all numbers
}

TEST(Program, HelpOnEveryCommand)
{
    for (const QString& command : { QStringLiteral("new"), QStringLiteral("synth") }) {
        const Outcome outcome = runProgram({ command, QStringLiteral("--help") });
        EXPECT_EQ(outcome.status, 0);
        EXPECT_TRUE(outcome.out.startsWith(QStringLiteral("Usage: vantorix-lr ") + command))
            << outcome.out.toStdString();
    }
    // The table files are the copy's text with LF line ends, unlike the clipboard's CR LF.
    EXPECT_TRUE(runProgram({ QStringLiteral("export"), QStringLiteral("--help") })
                    .out.contains(QStringLiteral("with LF line ends and a final newline")));
    const Outcome overview = runProgram({ QStringLiteral("--help") });
    EXPECT_EQ(overview.status, 0);
    EXPECT_TRUE(overview.out.contains(QStringLiteral("synth")));
    const Outcome version = runProgram({ QStringLiteral("--version") });
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^vantorix-lr \\d+\\.\\d+\\.\\d+\n$")).match(version.out).hasMatch())
        << version.out.toStdString();
}

TEST(Program, SynthIsRepeatableAndMakesALoadableRun)
{
    QTemporaryDir first, second;
    for (const QTemporaryDir* dir : { &first, &second }) {
        const Outcome outcome = runProgram({ QStringLiteral("synth"), QStringLiteral("--records"),
            QStringLiteral("1100"), QStringLiteral("--models"), QStringLiteral("3"), QStringLiteral("--seed"),
            QStringLiteral("7"), QStringLiteral("--out"), dir->path() });
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    }
    const QByteArray csv = readFile(first.filePath(QStringLiteral("train.csv")));
    EXPECT_EQ(csv, readFile(second.filePath(QStringLiteral("train.csv"))));

    const QString runPath = first.filePath(QStringLiteral("synth.run"));
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
    const QString out = first.filePath(QStringLiteral("out"));
    ASSERT_EQ(runProgram({ QStringLiteral("export"), runPath, QStringLiteral("--records"), QStringLiteral("all"),
                             QStringLiteral("--out"), out })
                  .status,
        0);
    EXPECT_EQ(readTsv(out + QStringLiteral("/roc.tsv")).size(), 1101u);
}

namespace {

/// The model outputs of roc.tsv's valid rows, in the order the export lists them.
std::vector<double> exportedRocOutputs(const QString& runPath, const QString& folder)
{
    const Outcome outcome = runProgram({ QStringLiteral("export"), runPath, QStringLiteral("--out"), folder,
        QStringLiteral("--model"), QStringLiteral("1"), QStringLiteral("--dataset"), QStringLiteral("training") });
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    std::vector<double> outputs;
    for (const QStringList& cells : readTsv(folder + QStringLiteral("/roc.tsv")))
        if (cells[2] != QLatin1String("NaN") && cells[0] != QLatin1String("Id"))
            outputs.push_back(cells[2].toDouble());
    return outputs;
}

}

TEST(Program, AnInvertedEncodingFromTheDialogRanksTheOtherWay)
{
    QTemporaryDir dir;
    for (const char* name : { "small.run", "train.csv", "valid.csv" })
        ASSERT_TRUE(QFile::copy(dataDir + QLatin1Char('/') + QLatin1String(name), dir.filePath(QLatin1String(name))));
    const QString runPath = dir.filePath(QStringLiteral("small.run"));

    const std::vector<double> before = exportedRocOutputs(runPath, dir.filePath(QStringLiteral("before")));
    ASSERT_GE(before.size(), 3u);
    EXPECT_TRUE(std::is_sorted(before.rbegin(), before.rend())) << "highest output first";

    // What "classes" does: the dialog with the invert box on, confirmed with OK.
    wb::WorkbenchHostCore::install();
    lrv::frmClassRepresentation dialog;
    dialog.Init(runPath, true);
    dialog.findChild<QCheckBox*>(QStringLiteral("chkInvert"))->setChecked(true);
    dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    ASSERT_TRUE(dialog.OKPressed());
    EXPECT_TRUE(RunFile::load(runPath).dataSets[0]->encoding.invert);

    const std::vector<double> after = exportedRocOutputs(runPath, dir.filePath(QStringLiteral("after")));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::is_sorted(after.begin(), after.end())) << "lowest output first";
    EXPECT_EQ(after.front(), before.back());
}

TEST(Program, CommandsWithoutAScreenIgnoreTheDisplayAndExportWritesNoSettings)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("config"));
    // A display that cannot be reached, as on a server with a stale DISPLAY.
    const Outcome exported = runProgram({ QStringLiteral("export"), dataDir + QStringLiteral("/small.run"),
                                            QStringLiteral("--out"), dir.filePath(QStringLiteral("out")) },
        { { QStringLiteral("DISPLAY"), QStringLiteral(":97") },
            { QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-97") },
            { QStringLiteral("XDG_CONFIG_HOME"), config } });
    EXPECT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(config)) << "export reads the user's settings but never writes them";

    const Outcome shown = runProgram({ QStringLiteral("show"), dataDir + QStringLiteral("/small.run") },
        { { QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen") } }, 15000);
    EXPECT_EQ(shown.status, 2);
    EXPECT_TRUE(shown.err.contains(QStringLiteral("needs a screen"))) << shown.err.toStdString();
}
