// `vantorix-lr compare` on the sample run and on a run whose second model has calculation errors.
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

Outcome runCompare(const QStringList& arguments)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../workbench/app/vantorix-lr");
    EXPECT_TRUE(QFileInfo::exists(program)) << "build the vantorix-lr target first: " << program.toStdString();
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(program, QStringList { QStringLiteral("compare") } + arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError()) };
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

nlohmann::json compare(const QStringList& arguments, const QTemporaryDir& folder)
{
    const Outcome outcome = runCompare(arguments + QStringList { QStringLiteral("--out"), folder.path() });
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    return nlohmann::json::parse(readAll(folder.filePath(QStringLiteral("compare.json"))).toStdString());
}

bool within(const nlohmann::json& interval, double value)
{
    return interval[0].get<double>() <= value && value <= interval[1].get<double>();
}

TEST(CompareEndToEnd, SampleRunIsConsistentAcrossModelsAndPairs)
{
    QTemporaryDir folder;
    const nlohmann::json json = compare({ QStringLiteral(LRV_SOURCE_DIR "/samples/pima/pima.run"),
                                            QStringLiteral("--dataset"), QStringLiteral("validation") },
        folder);
    EXPECT_EQ(json["dataset"], "validation");
    const auto& models = json["models"];
    ASSERT_EQ(models.size(), 3u);
    std::map<int, double> auc;
    for (const auto& model : models) {
        SCOPED_TRACE(model.dump());
        const double value = model["auc"];
        auc[model["id"]] = value;
        EXPECT_TRUE(within(model["aucCi95"], value));
        EXPECT_NEAR(model["gini"].get<double>(), 2 * value - 1, 1e-12);
        EXPECT_GT(model["brier"].get<double>(), 0);
    }
    ASSERT_EQ(json["pairs"].size(), 3u);
    std::set<std::pair<int, int>> pairs;
    for (const auto& pair : json["pairs"]) {
        SCOPED_TRACE(pair.dump());
        const int a = pair["a"], b = pair["b"];
        pairs.insert({ a, b });
        const double difference = pair["difference"];
        EXPECT_NEAR(difference, auc.at(a) - auc.at(b), 1e-12);
        EXPECT_TRUE(within(pair["ci95"], difference));
        EXPECT_NEAR((pair["ci95"][0].get<double>() + pair["ci95"][1].get<double>()) / 2, difference, 1e-12);
        // The interval excludes 0 exactly when the test rejects at 5 %.
        EXPECT_EQ(within(pair["ci95"], 0), pair["p"].get<double>() >= 0.05);
    }
    EXPECT_EQ(pairs, (std::set<std::pair<int, int>> { { 1, 2 }, { 1, 3 }, { 2, 3 } }));

    const QByteArray html = readAll(folder.filePath(QStringLiteral("compare.html")));
    EXPECT_TRUE(html.contains("<svg")) << "the chart is inline";
    EXPECT_FALSE(html.contains("src=")) << "nothing outside the file";
    EXPECT_TRUE(readAll(folder.filePath(QStringLiteral("compare.svg"))).contains("<svg"));
    EXPECT_TRUE(readAll(folder.filePath(QStringLiteral("compare.png"))).startsWith("\x89PNG"));
}

TEST(CompareEndToEnd, ModelsAreComparedWhereEveryModelHasAnOutput)
{
    // Model 7 has no output for records 2 and 4 ("" and "abc"); both models are measured on the other ten.
    const QString run = QStringLiteral(LRV_TEST_DATA "/workbench/small.run");
    const QStringList lines = QString::fromUtf8(readAll(QStringLiteral(LRV_TEST_DATA "/workbench/train.csv")))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(1);
    struct Record {
        int cls;
        double good, errors;
    };
    std::vector<Record> kept;
    for (const QString& line : lines) {
        const QStringList cells = line.split(QLatin1Char(','));
        bool ok = false;
        const double errors = cells[3].toDouble(&ok);
        if (ok)
            kept.push_back({ cells[1].toInt(), cells[2].toDouble(), errors });
    }
    const auto mannWhitney = [&](double Record::*output) {
        double wins = 0, pairs = 0;
        for (const Record& p : kept)
            for (const Record& n : kept)
                if (p.cls == 1 && n.cls == 0) {
                    pairs += 1;
                    wins += p.*output > n.*output ? 1 : p.*output == n.*output ? 0.5 : 0;
                }
        return wins / pairs;
    };

    QTemporaryDir folder;
    const nlohmann::json json = compare({ run }, folder);
    EXPECT_EQ(json["dataset"], "training");
    EXPECT_EQ(json["records"].get<int>(), lines.size());
    EXPECT_EQ(json["compared"].get<std::size_t>(), kept.size());
    EXPECT_EQ(json["leftOut"].get<std::size_t>(), lines.size() - kept.size());
    EXPECT_NEAR(json["models"][0]["auc"].get<double>(), mannWhitney(&Record::good), 1e-12);
    EXPECT_NEAR(json["models"][1]["auc"].get<double>(), mannWhitney(&Record::errors), 1e-12);
    EXPECT_EQ(json["models"][1]["errors"].get<std::size_t>(), lines.size() - kept.size());
    EXPECT_TRUE(readAll(folder.filePath(QStringLiteral("compare.html"))).contains("left out"));
}

TEST(CompareEndToEnd, BadInputGetsAClearMessage)
{
    QTemporaryDir folder;
    const struct {
        QStringList arguments;
        int status;
        const char* message;
    } cases[] = {
        { { folder.filePath(QStringLiteral("missing.run")) }, 2, "missing.run" },
        { { QStringLiteral(LRV_TEST_DATA "/workbench/one-class.run") }, 2, "class" },
        { { QStringLiteral(LRV_TEST_DATA "/workbench/training-only.run"), QStringLiteral("--dataset"),
              QStringLiteral("validation") },
            2, "validation" },
        { { QStringLiteral(LRV_TEST_DATA "/workbench/small.run"), QStringLiteral("--dataset"), QStringLiteral("test") },
            1, "training or validation" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome outcome = runCompare(c.arguments + QStringList { QStringLiteral("--out"), folder.path() });
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_TRUE(outcome.err.contains(QString::fromUtf8(c.message))) << outcome.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("compare.json"))));
    }
}

} // namespace
