#include "run/RunFile.h"

#include "run/Run.h"
#include "support/Error.h"
#include "workbench/Program.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace wb;

namespace {

RunDocument sampleDocument()
{
    RunDocument document;
    document.kind = 4;
    document.targetColumn = "Ziel \"y\"";
    document.idColumn = "id";
    document.targetLabels = QStringList { "good", "bad" };
    document.dataSets[0] = DataSetRecord { "data/train.csv", { 2, 5, true }, 0 };
    document.dataSets[1] = DataSetRecord { "../valid set.csv", { -1, 1, false }, 3 };
    document.models.push_back({ 4, "score", "Gradient \u00e9", 0.123456789, 87.5, -11111, -1 });
    document.models.push_back({ 9, "other", QString(), -1, -1, 0.5, 50 });
    document.currentModel = 9;
    document.parameters["set_lr#Buckets"] = { lrv::RunParameterInt32, lrv::Variant(20) };
    document.parameters["data#Cut"] = { lrv::RunParameterNumberText, lrv::Variant("0.125") };
    document.parameters["set_lr#ChosenCutoff.4.1"] = { lrv::RunParameterText, lrv::Variant("top=10%") };
    return document;
}

/// Limits the size of files this process writes, so that a write fails half way (root ignores modes).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int);
};

}

TEST(RunFile, RoundTripKeepsEveryField)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("round.run");
    RunDocument written = sampleDocument();
    // A number text parameter given as a number is written with a point.
    written.parameters["data#Point"] = { lrv::RunParameterNumberText, lrv::Variant(0.5) };
    RunFile::save(path, written);
    // Every field is written; reading it back and writing again gives the same bytes, so none is lost on reading.
    const QByteArray text = test::readFile(path);
    for (const char* field : { "\"kind\": 4", "Ziel \\\"y\\\"", "\"bad\"", "data/train.csv", "../valid set.csv",
             "\"invert\": true", "Gradient \u00e9", "0.123456789", "-11111", "\"currentModel\": 9", "top=10%",
             "\"0.125\"", "\"validation\": 3", "\"value\": \"0.5\"" })
        EXPECT_TRUE(text.contains(field)) << field;
    const RunDocument read = RunFile::load(path);
    const QString again = dir.filePath("again.run");
    RunFile::save(again, read);
    EXPECT_EQ(test::readFile(path), test::readFile(again));

    // Saving over a run keeps its permissions (a run shared with the group stays shared) and leaves no temporary.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions permissions = QFile::permissions(path);
    RunFile::save(path, read);
    EXPECT_EQ(QFile::permissions(path), permissions);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList { "again.run", "round.run" }));
}

TEST(RunFile, FailedWritesLeaveTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.run");
    RunFile::save(path, sampleDocument());
    const QByteArray before = test::readFile(path);

    // A write cut short by the file-size limit: the half-written temporary file never replaces the run.
    RunDocument bigger = sampleDocument();
    for (int i = 0; i < 200; ++i)
        bigger.parameters[QString("set_lr#Extra%1").arg(i)] = { lrv::RunParameterInt32, lrv::Variant(i) };
    {
        const FileSizeLimit limit(std::size_t(before.size()) + 10);
        try {
            RunFile::save(path, bigger);
            ADD_FAILURE() << "saved";
        } catch (const lrv::Error& error) {
            EXPECT_NE(std::string(error.what()).find("keep.run"), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "keep.run" });
}
