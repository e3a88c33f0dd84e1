// Scored CSV files handed to `vantorix-lr new`: each refusal gives the exact message the user reads and
// writes no run; a file the program can read says how it took the classes.
#include "Scenario.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using wb::test::Scenario;

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

/// `vantorix-lr new` on one training file with the columns id, target and score.
Outcome makeRun(const QString& csv, const QString& out, const QStringList& extra = {})
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../workbench/app/vantorix-lr");
    QProcess process;
    process.start(program,
        QStringList { QStringLiteral("new"), QStringLiteral("--training"), csv, QStringLiteral("--target"),
            QStringLiteral("target"), QStringLiteral("--id"), QStringLiteral("id"), QStringLiteral("--models"),
            QStringLiteral("score"), QStringLiteral("--out"), out }
            + extra);
    EXPECT_TRUE(process.waitForFinished(60000));
    return { process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

}

TEST(BadNew, RefusalsNameTheFileLineAndValue)
{
    const struct {
        const char* csv;
        QStringList extra;
        QString message; ///< after "vantorix-lr new: "; PATH stands for the CSV file
    } cases[] = {
        { "id,target,score\n", {}, "PATH has no records: below its header row there is no line of data." },
        { "id,target,score\n7,1,0.9\n8,0,0.5\n7,0,0.2\n", {},
            "PATH, line 4, column 1 (\"id\"): the id \"7\" is also the id of the record on line 2; every record "
            "needs an id of its own." },
        { "id,target,score\nC1,1,0.9\n C1 ,0,0.5\n", {},
            "PATH, line 3, column 1 (\"id\"): the id \"C1\" is also the id of the record on line 2; every record "
            "needs an id of its own." },
        { "id,target,score\n1,1,0.9\n,0,0.5\n", {},
            "PATH, line 3, column 1 (\"id\"): the id is empty; every record needs an id." },
        { "id,target,score\n1,bad,0.9\n2,good,0.5\n", {},
            "The target column \"target\" of PATH holds the texts \"bad\", \"good\": name the positive class with "
            "--positive LABEL." },
        { "id,target,score\n1,yes,0.9\n2,no,0.5\n", { "--positive", "Yes" },
            "--positive \"Yes\" is not a value of the target column \"target\", which holds \"yes\", \"no\"." },
        { "id,target,score\n1,yes,0.9\n2,no,0.5\n3,maybe,0.1\n", { "--positive", "yes" },
            "The target column \"target\" of PATH holds more than two values (\"yes\", \"no\", \"maybe\"): a run "
            "needs a target of two classes." },
        { "id,target,score\n1,1,0.9\n2,,0.5\n", {},
            "PATH, line 3, column 2 (\"target\"): the target is empty; every record needs a target." },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv);
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("data.csv"));
        Scenario::writeFile(csv, c.csv);
        const QString out = dir.filePath(QStringLiteral("made.run"));
        const Outcome outcome = makeRun(csv, out, c.extra);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, "vantorix-lr new: " + QString(c.message).replace(QStringLiteral("PATH"), csv) + "\n");
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

TEST(BadNew, TextTargetsSayWhichClassIsPositive)
{
    const struct {
        const char* csv;
        QStringList extra;
        const char* said;
    } cases[] = {
        { "id,target,score\n1,bad,0.9\n2,good,0.5\n3,bad,0.7\n", { "--positive", "bad" },
            "Positive class (1): \"bad\"; negative class (0): \"good\"." },
        { "id;target;score\n1;TRUE;0.9\n2;FALSE;0.5\n", {},
            "Positive class (1): \"TRUE\"; negative class (0): \"FALSE\"." },
        { "id\ttarget\tscore\n1\t1\t0.9\n2\t0\t0.5\n", { "--positive", "0" },
            "Positive class (1): \"0\"; negative class (0): \"1\"." },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv);
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("data.csv"));
        Scenario::writeFile(csv, c.csv);
        const Outcome outcome = makeRun(csv, dir.filePath(QStringLiteral("made.run")), c.extra);
        EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.contains(QString::fromUtf8(c.said))) << outcome.out.toStdString();
    }
}
