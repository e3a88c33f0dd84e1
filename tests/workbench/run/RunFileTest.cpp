#include "run/RunFile.h"

#include "run/Run.h"
#include "support/Error.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace wb;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

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
    EXPECT_TRUE(readAll(path).contains("\"value\": \"0.5\""));
    const RunDocument read = RunFile::load(path);

    EXPECT_EQ(read.kind, 4);
    EXPECT_EQ(read.targetColumn, written.targetColumn);
    EXPECT_EQ(read.targetLabels, written.targetLabels);
    ASSERT_TRUE(read.dataSets[0] && read.dataSets[1]);
    for (std::size_t d = 0; d < 2; ++d) {
        EXPECT_EQ(read.dataSets[d]->path, written.dataSets[d]->path);
        EXPECT_EQ(read.dataSets[d]->encoding.min, written.dataSets[d]->encoding.min);
        EXPECT_EQ(read.dataSets[d]->encoding.max, written.dataSets[d]->encoding.max);
        EXPECT_EQ(read.dataSets[d]->encoding.invert, written.dataSets[d]->encoding.invert);
        EXPECT_EQ(read.dataSets[d]->sampling, written.dataSets[d]->sampling);
    }
    ASSERT_EQ(read.models.size(), 2u);
    for (std::size_t m = 0; m < 2; ++m) {
        EXPECT_EQ(read.models[m].id, written.models[m].id);
        EXPECT_EQ(read.models[m].name, written.models[m].name);
        EXPECT_DOUBLE_EQ(read.models[m].trainingFitness, written.models[m].trainingFitness);
        EXPECT_DOUBLE_EQ(read.models[m].validationAccuracy, written.models[m].validationAccuracy);
    }
    EXPECT_EQ(read.currentModel, 9);
    ASSERT_EQ(read.parameters.size(), written.parameters.size());
    for (const auto& [key, parameter] : written.parameters) {
        EXPECT_EQ(read.parameters.at(key).type, parameter.type) << key.toStdString();
        EXPECT_EQ(read.parameters.at(key).value.text(), parameter.value.text()) << key.toStdString();
    }

    // Writing what was read gives the same bytes.
    const QString again = dir.filePath("again.run");
    RunFile::save(again, read);
    EXPECT_EQ(readAll(path), readAll(again));
}

TEST(RunFile, SaveReplacesTheFileAndLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.run");
    RunDocument document = sampleDocument();
    RunFile::save(path, document);
    // The replaced file keeps its permissions: a run shared with the group stays shared.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions permissions = QFile::permissions(path);
    document.kind = 1;
    RunFile::save(path, document);
    EXPECT_EQ(RunFile::load(path).kind, 1);
    EXPECT_EQ(QFile::permissions(path), permissions);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "a.run" });
}

TEST(RunFile, FailedWritesLeaveTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.run");
    RunFile::save(path, sampleDocument());
    const QByteArray before = readAll(path);

    // A write cut short by the file-size limit: the half-written temporary file never replaces the run.
    RunDocument bigger = sampleDocument();
    for (int i = 0; i < 200; ++i)
        bigger.parameters[QString("set_lr#Extra%1").arg(i)] = { lrv::RunParameterInt32, lrv::Variant(i) };
    {
        const FileSizeLimit limit(std::size_t(before.size()) + 10);
        const std::string message = errorOf([&] { RunFile::save(path, bigger); });
        EXPECT_NE(message.find("keep.run"), std::string::npos) << message;
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "keep.run" });
}
