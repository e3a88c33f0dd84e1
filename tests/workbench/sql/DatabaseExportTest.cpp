// `vantorix-lr new` and `export` on datasets in PostgreSQL, compared file by file with the same runs made
// from the CSV files; bad sources fail with a message naming them.
#include "PostgresServer.h"
#include "workbench/Program.h"

#include <cmath>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace wb;
using namespace wb::test;

namespace {

/// statistics.json of a CSV run without the figures that a database run does not give.
QJsonObject withoutInMemoryFigures(const QByteArray& json)
{
    QJsonObject object = QJsonDocument::fromJson(json).object();
    for (const char* key :
        { "aucCi95", "gini", "ks", "probabilitySource", "brier", "logLoss", "hosmerLemeshow", "chosenCutoff" })
        object.remove(QLatin1String(key));
    QJsonArray quantiles = object["quantiles"].toArray();
    for (QJsonValueRef value : quantiles) {
        QJsonObject quantile = value.toObject();
        quantile.remove("wilson95");
        value = quantile;
    }
    object["quantiles"] = quantiles;
    QJsonObject grid = object["statistics"].toObject();
    grid["Uncertainty and Calibration"] = QJsonObject();
    object["statistics"] = grid;
    return object;
}

const QString sampleDir = QStringLiteral(LRV_SOURCE_DIR "/samples/pima");

/// Exports both runs with the same arguments and compares every file.
void expectSameExports(const QString& csvRun, const QString& dbRun, const QStringList& arguments)
{
    SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
    const QString csvOut = QFileInfo(csvRun).dir().filePath("out");
    const QString dbOut = QFileInfo(dbRun).dir().filePath("out");
    for (const auto& [run, out] : { std::pair { csvRun, csvOut }, { dbRun, dbOut } }) {
        QDir(out).removeRecursively();
        const Outcome outcome = runProgram(QStringList { "export", run, "--out", out, "--records", "all" } + arguments);
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    }
    const QStringList files = QDir(csvOut).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files, QDir(dbOut).entryList(QDir::Files, QDir::Name));
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QString a = csvOut + QLatin1Char('/') + name, b = dbOut + QLatin1Char('/') + name;
        // The chosen cutoff, the uncertainty figures and the mean predicted probabilities need ranked records in
        // memory: a database run leaves them out of its summary and statistics (statistics.txt is their text),
        // and its calibration chart shows its notice. The pictures are the SVG files' drawings.
        if (name == "index.html" || name == "statistics.txt" || name.startsWith("calibration.")
            || name.endsWith(".png"))
            continue;
        if (name == QLatin1String("statistics.json"))
            EXPECT_EQ(withoutInMemoryFigures(readFile(a)), QJsonDocument::fromJson(readFile(b)).object());
        else
            EXPECT_EQ(readFile(a), readFile(b));
    }
}

class DatabaseExport : public ::testing::Test {
protected:
    test::PostgresServer server;
    QTemporaryDir dir;

    QString newRun(const QString& folder, const QString& training, const QString& validation, const QString& models,
        const QString& password = {})
    {
        QDir(dir.path()).mkpath(folder);
        const QString run = dir.filePath(folder + "/scores.run");
        QStringList arguments { "new", "--training", training, "--target", "target", "--id", "id", "--models", models,
            "--out", run };
        if (!validation.isEmpty())
            arguments << "--validation" << validation;
        const Outcome outcome = runProgram(arguments, { { "PGPASSWORD", password } });
        EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
        return run;
    }

    /// A copy of a run in another folder, with other dataset sources.
    QString runWithSources(
        const QString& run, const QString& folder, const QString& training, const QString& validation)
    {
        QDir(dir.path()).mkpath(folder);
        QJsonObject document = QJsonDocument::fromJson(readFile(run)).object();
        document["training"] = training;
        document["validation"] = validation;
        const QString copy = dir.filePath(folder + QLatin1Char('/') + QFileInfo(run).fileName());
        QFile file(copy);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(document).toJson());
        return copy;
    }
};

}

TEST_F(DatabaseExport, SampleRunEqualsTheCsvRunFileByFile)
{
    ASSERT_TRUE(server.started());
    ASSERT_TRUE(server.load("train", sampleDir + "/train.csv"));
    ASSERT_TRUE(server.load("valid", sampleDir + "/valid.csv"));
    const QString models = "logit_full,bp_only_prob,forest_prob";
    const QString training = server.source("table=train");
    const QString validation = server.source("query=SELECT * FROM valid");
    const QString csvRun = newRun("csv", sampleDir + "/train.csv", sampleDir + "/valid.csv", models);
    const QString dbRun = newRun("db", training, validation, models);

    // `new` scores the database's records as the CSV files': the same accuracy, and fitness up to the order
    // in which the database adds its sums.
    const QJsonObject csvDocument = QJsonDocument::fromJson(readFile(csvRun)).object();
    const QJsonObject dbDocument = QJsonDocument::fromJson(readFile(dbRun)).object();
    const QJsonArray csvModels = csvDocument["models"].toArray();
    const QJsonArray dbModels = dbDocument["models"].toArray();
    ASSERT_EQ(csvModels.size(), dbModels.size());
    for (qsizetype m = 0; m < csvModels.size(); ++m)
        for (const char* key : { "trainingFitness", "trainingAccuracy", "validationFitness", "validationAccuracy" }) {
            const double expected = csvModels[m].toObject()[QLatin1String(key)].toDouble();
            EXPECT_NEAR(dbModels[m].toObject()[QLatin1String(key)].toDouble(), expected, 1e-12 * std::abs(expected))
                << key;
        }

    // Compare needs every record in memory: it refuses a dataset in the database.
    const Outcome refused = runProgram({ "compare", dbRun, "--out", dir.filePath("compared") });
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains("training dataset") && refused.err.contains("database"))
        << refused.err.toStdString();

    const QString sameRun = runWithSources(csvRun, "db-same", training, validation);
    expectSameExports(csvRun, sameRun, {});
    expectSameExports(csvRun, sameRun, { "--dataset", "validation", "--model", "3", "--buckets", "7" });
}

TEST_F(DatabaseExport, BadSourcesFailWithAMessageNamingThem)
{
    ASSERT_TRUE(server.started());
    ASSERT_TRUE(server.load("train", sampleDir + "/train.csv"));
    ASSERT_TRUE(server.execute("CREATE VIEW texts AS SELECT id, target, CAST(logit_full AS TEXT) AS "
                               "logit_full FROM train"));
    const QString good = server.source("table=train");
    QString unreachable = good;
    unreachable.replace(QRegularExpression("host=[^&]*"), "host=" + dir.filePath("none"));
    const struct {
        QString source, password, message;
    } cases[] = {
        { unreachable, {}, "Cannot connect to the database source" },
        { server.source("table=train", "reader"), "wrong-secret", "password authentication failed" },
        { server.source("table=missing"), {}, "relation \"missing\" does not exist" },
        { server.source("query=SELECT id, target FROM train"), {}, "has no output column \"logit_full\"" },
        { server.source("table=texts"), {}, "of type text; it must hold numbers" },
        { server.source("query=SELECT * FROM train WHERE 1 / (id - id) > 0"), {}, "failed: division by zero" },
    };
    // The right password works, and it is what the wrong one is checked against.
    ASSERT_TRUE(
        QFileInfo::exists(newRun("reader", server.source("table=train", "reader"), {}, "logit_full", "secret")));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        const QString run = dir.filePath("bad.run");
        QFile::remove(run);
        const Outcome made = runProgram({ "new", "--training", c.source, "--target", "target", "--id", "id", "--models",
                                            "logit_full", "--out", run },
            { { "PGPASSWORD", c.password } });
        EXPECT_EQ(made.status, 2);
        EXPECT_TRUE(made.err.contains(c.message)) << made.err.toStdString();
        EXPECT_TRUE(made.err.contains(c.source)) << made.err.toStdString();
        if (!c.password.isEmpty()) {
            EXPECT_FALSE(made.err.contains(c.password));
        }
        EXPECT_FALSE(QFileInfo::exists(run));
    }
}
