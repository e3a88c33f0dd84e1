#pragma once

// The built vantorix-lr as a batch job runs it, and the files it reads and writes; shared by the test
// executables that drive the program (app, sql, reliability).
#include <gtest/gtest.h>
#include <map>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

namespace wb::test {

struct Outcome {
    int status = -1;
    QString out, err;
};

/// Runs the program without a display (a batch job has none) and without a database password, with these
/// variables set besides.
inline Outcome runProgram(
    const QStringList& arguments, const std::map<QString, QString>& variables = {}, int waitMs = 600000)
{
    const QString program = QCoreApplication::applicationDirPath() + "/../workbench/app/vantorix-lr";
    EXPECT_TRUE(QFileInfo::exists(program)) << "build the vantorix-lr target first: " << program.toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "PGPASSWORD" })
        environment.remove(QString::fromLatin1(name));
    for (const auto& [name, value] : variables)
        environment.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(waitMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "still running: " << arguments.join(QLatin1Char(' ')).toStdString();
        return {};
    }
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError()) };
}

/// `vantorix-lr new` with the columns id and target; fails the test unless it succeeds.
inline void makeRun(const QString& run, const QString& training, const QString& models, QStringList extra = {})
{
    const Outcome made = runProgram(QStringList { "new", "--training", training, "--target", "target", "--id", "id",
                                        "--models", models, "--out", run }
        + extra);
    EXPECT_EQ(made.status, 0) << made.err.toStdString();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

/// A copy of a fixture run of tests/data/workbench with its CSV files in `folder`, writable, to change freely.
inline QString copyFixtureRun(const QString& folder, const QString& run)
{
    for (const QString& name : QStringList { run, "train.csv", "valid.csv" })
        EXPECT_TRUE(QFile::copy(QStringLiteral(LRV_TEST_DATA "/workbench/") + name, folder + '/' + name))
            << name.toStdString();
    QFile::setPermissions(folder + '/' + run, QFile::ReadOwner | QFile::WriteOwner);
    return folder + '/' + run;
}

/// A TSV file as lines of cells.
inline std::vector<QStringList> readTsv(const QString& path)
{
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(readFile(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows.push_back(line.split(QLatin1Char('\t')));
    return rows;
}

} // namespace wb::test
