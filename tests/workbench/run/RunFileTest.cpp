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

const QString dataDir = QStringLiteral(LRV_TEST_DATA "/workbench");

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
    document.targetColumn = QStringLiteral("Ziel \"y\"");
    document.idColumn = QStringLiteral("id");
    document.targetLabels = QStringList { QStringLiteral("good"), QStringLiteral("bad") };
    document.dataSets[0] = DataSetRecord { QStringLiteral("data/train.csv"), { 2, 5, true }, 0 };
    document.dataSets[1] = DataSetRecord { QStringLiteral("../valid set.csv"), { -1, 1, false }, 3 };
    document.models.push_back(
        { 4, QStringLiteral("score"), QStringLiteral("Gradient \u00e9"), 0.123456789, 87.5, -11111, -1 });
    document.models.push_back({ 9, QStringLiteral("other"), QString(), -1, -1, 0.5, 50 });
    document.currentModel = 9;
    document.parameters[QStringLiteral("set_lr#Buckets")] = { lrv::RunParameterInt32, lrv::Variant(20) };
    document.parameters[QStringLiteral("data#Cut")]
        = { lrv::RunParameterNumberText, lrv::Variant(QStringLiteral("0.125")) };
    document.parameters[QStringLiteral("set_lr#ChosenCutoff.4.1")]
        = { lrv::RunParameterText, lrv::Variant(QStringLiteral("top=10%")) };
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
    const QString path = dir.filePath(QStringLiteral("round.run"));
    const RunDocument written = sampleDocument();
    RunFile::save(path, written);
    const RunDocument read = RunFile::load(path);

    EXPECT_EQ(read.kind, 4);
    EXPECT_EQ(read.targetColumn, written.targetColumn);
    EXPECT_EQ(read.idColumn, QStringLiteral("id"));
    EXPECT_EQ(read.targetLabels, written.targetLabels);
    ASSERT_TRUE(read.dataSets[0] && read.dataSets[1]);
    EXPECT_EQ(read.dataSets[0]->path, QStringLiteral("data/train.csv"));
    EXPECT_EQ(read.dataSets[0]->encoding.min, 2);
    EXPECT_EQ(read.dataSets[0]->encoding.max, 5);
    EXPECT_TRUE(read.dataSets[0]->encoding.invert);
    EXPECT_EQ(read.dataSets[1]->path, QStringLiteral("../valid set.csv"));
    EXPECT_EQ(read.dataSets[1]->encoding.min, -1);
    EXPECT_FALSE(read.dataSets[1]->encoding.invert);
    EXPECT_EQ(read.dataSets[1]->sampling, 3);
    ASSERT_EQ(read.models.size(), 2u);
    EXPECT_EQ(read.models[0].id, 4);
    EXPECT_EQ(read.models[0].name, QStringLiteral("Gradient \u00e9"));
    EXPECT_DOUBLE_EQ(read.models[0].trainingFitness, 0.123456789);
    EXPECT_DOUBLE_EQ(read.models[0].trainingAccuracy, 87.5);
    EXPECT_DOUBLE_EQ(read.models[0].validationFitness, -11111);
    EXPECT_TRUE(read.models[1].name.isEmpty());
    EXPECT_DOUBLE_EQ(read.models[1].validationAccuracy, 50);
    EXPECT_EQ(read.currentModel, 9);
    ASSERT_EQ(read.parameters.size(), 3u);
    const auto buckets = read.parameters.at(QStringLiteral("set_lr#Buckets"));
    EXPECT_EQ(buckets.type, lrv::RunParameterInt32);
    EXPECT_EQ(buckets.value.toDouble(), 20);
    const auto cut = read.parameters.at(QStringLiteral("data#Cut"));
    EXPECT_EQ(cut.type, lrv::RunParameterNumberText);
    EXPECT_EQ(cut.value.text(), QStringLiteral("0.125"));
    const auto rule = read.parameters.at(QStringLiteral("set_lr#ChosenCutoff.4.1"));
    EXPECT_EQ(rule.type, lrv::RunParameterText);
    EXPECT_EQ(rule.value.text(), QStringLiteral("top=10%"));

    // Writing what was read gives the same bytes.
    const QString again = dir.filePath(QStringLiteral("again.run"));
    RunFile::save(again, read);
    EXPECT_EQ(readAll(path), readAll(again));
}

TEST(RunFile, NumberTextParameterIsWrittenWithAPoint)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("point.run"));
    RunDocument document = sampleDocument();
    document.parameters[QStringLiteral("data#Cut")] = { lrv::RunParameterNumberText, lrv::Variant(0.5) };
    RunFile::save(path, document);
    EXPECT_TRUE(readAll(path).contains("\"value\": \"0.5\""));
}

TEST(RunFile, SaveReplacesTheFileAndLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.run"));
    RunDocument document = sampleDocument();
    RunFile::save(path, document);
    document.kind = 1;
    RunFile::save(path, document);
    EXPECT_EQ(RunFile::load(path).kind, 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("a.run") });
}

TEST(RunFile, FailedWritesLeaveTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.run"));
    RunFile::save(path, sampleDocument());
    const QByteArray before = readAll(path);

    // A write cut short by the file-size limit: the half-written temporary file never replaces the run.
    RunDocument bigger = sampleDocument();
    for (int i = 0; i < 200; ++i)
        bigger.parameters[QStringLiteral("set_lr#Extra%1").arg(i)] = { lrv::RunParameterInt32, lrv::Variant(i) };
    {
        const FileSizeLimit limit(std::size_t(before.size()) + 10);
        const std::string message = errorOf([&] { RunFile::save(path, bigger); });
        EXPECT_NE(message.find("keep.run"), std::string::npos) << message;
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("keep.run") });
}

TEST(RunFile, WriteIntoMissingFolderNamesThePath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/x.run"));
    const std::string message = errorOf([&] { RunFile::save(path, sampleDocument()); });
    EXPECT_NE(message.find(path.toStdString()), std::string::npos) << message;
}

TEST(RunFile, BadJsonNamesFileAndLine)
{
    const QString path = dataDir + QStringLiteral("/bad-json.run");
    const std::string message = errorOf([&] { RunFile::load(path); });
    EXPECT_NE(message.find("bad-json.run"), std::string::npos) << message;
    EXPECT_NE(message.find("line 5"), std::string::npos) << message; // the comma is missing after line 4
}

TEST(RunFile, InvalidRunsAreRefusedWithTheirReason)
{
    struct Case {
        const char* json;
        const char* reason;
    };
    const Case cases[] = {
        { R"({"targetColumn":"t","training":"a.csv","models":[]})", "\"format\"" },
        { R"({"format":2,"targetColumn":"t","training":"a.csv","models":[]})", "format 2" },
        { R"({"format":1,"targetColumn":"t","models":[]})", "training" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[{"id":1}]})", "output" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[{"id":1.5,"output":"x"}]})", "whole number" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[{"id":1,"output":"x"},{"id":1,"output":"y"}]})",
            "used twice" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[],"parameters":{"k":{"type":4,"value":1}}})",
            "type 4" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[],"parameters":{"k":{"type":5,"value":"1,5"}}})",
            "number as text" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[],"parameters":{"k":{"type":8,"value":2}}})",
            "\"value\"" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[],"classEncoding":{"training":{"min":1,"max":1}}})",
            "same value" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[],"targetLabels":["yes"]})", "two texts" },
        { R"({"format":1,"targetColumn":"t","training":"a.csv","models":[],"targetLabels":["a","a"]})", "same text" },
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        const QString path = dir.filePath(QStringLiteral("bad.run"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.json);
        file.close();
        const std::string message = errorOf([&] { RunFile::load(path); });
        EXPECT_NE(message.find("bad.run"), std::string::npos) << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
}

TEST(RunFile, MissingFileNamesThePath)
{
    const std::string message = errorOf([] { RunFile::load(QStringLiteral("/nonexistent/x.run")); });
    EXPECT_NE(message.find("/nonexistent/x.run"), std::string::npos) << message;
}
