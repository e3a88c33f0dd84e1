// One run made by `vantorix-lr new`, then exported and compared; every figure is checked against the
// engine or a direct count over the records of the CSV file.
#include "engine/Analysis.h"
#include "engine/Uncertainty.h"
#include "run/RunFile.h"
#include "workbench/Program.h"
#include "workbench/engine/EngineTestRecords.h"

#include <cmath>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

using namespace wb::test;
using nlohmann::json;
using wb::engine::test::TestRecords;

namespace {

const QString dataDir = QStringLiteral(LRV_TEST_DATA "/workbench");
constexpr int kBuckets = 4;
constexpr int kCutRows = 3;

/// The training records of train.csv for one model column (2 "good", 3 "errors"): file order, outputs that
/// are not numbers as calculation errors.
TestRecords readRecords(int column)
{
    TestRecords records;
    const QStringList lines
        = QString::fromUtf8(readFile(dataDir + "/train.csv")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(QLatin1Char(','));
        bool ok = false;
        const double output = cells[column].toDouble(&ok);
        records.ids.push_back(cells[0].toInt());
        records.classes.push_back(std::uint8_t(cells[1].toInt()));
        records.outputs.push_back(ok ? output : std::numeric_limits<double>::quiet_NaN());
    }
    return records;
}

/// The Mann–Whitney count over the positive–negative pairs where both models have an output, ties half.
double mannWhitney(const TestRecords& model, const TestRecords& other)
{
    double wins = 0, pairs = 0;
    for (std::size_t p = 0; p < model.ids.size(); ++p)
        for (std::size_t n = 0; n < model.ids.size(); ++n)
            if (model.classes[p] == 1 && model.classes[n] == 0
                && !std::isnan(model.outputs[p] + model.outputs[n] + other.outputs[p] + other.outputs[n])) {
                pairs += 1;
                wins += model.outputs[p] > model.outputs[n] ? 1 : model.outputs[p] == model.outputs[n] ? 0.5 : 0;
            }
    return wins / pairs;
}

class EndToEnd : public ::testing::Test {
protected:
    /// Model 2 ("errors") has two calculation errors; `cut` keeps three rows with the chosen rule top=25%,
    /// `above` chooses a cutoff above every output.
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        outcomes = new std::map<QString, Outcome>;
        makeRun(run(), dataDir + "/train.csv", "good,errors", { "--validation", dataDir + "/valid.csv" });
    }
    static void TearDownTestSuite()
    {
        delete outcomes;
        delete folder;
    }

    /// The folder a command wrote, run on first use (ctest runs each test in a process of its own): "out" the
    /// export of model 2, "cut" three rows with the rule top=25%, "above" a cutoff above every output, "kept" no
    /// --cutoff on a run that keeps the rule top=25%, "validation" the validation dataset, "compare".
    static QString path(const QString& name)
    {
        const QString out = folder->filePath(name);
        if (!outcomes->count(name)) {
            const std::map<QString, QStringList> extra { { "out", {} },
                { "cut", { "--records", QString::number(kCutRows), "--dataset", "TRAINING", "--cutoff", "top=25%" } },
                { "above", { "--cutoff", "1.5" } }, { "kept", { "--dataset", "training" } },
                { "validation", { "--dataset", "Validation" } } };
            const Outcome& outcome = (*outcomes)[name] = name == "compare"
                ? runProgram({ "compare", run(), "--out", out })
                : runProgram(QStringList { "export", name == "kept" ? runKeepingTopQuarter() : run(), "--model", "2",
                                 "--buckets", QString::number(kBuckets), "--out", out }
                    + extra.at(name));
            EXPECT_EQ(outcome.status, 0) << name.toStdString() << ": " << outcome.err.toStdString();
        }
        return out;
    }
    static QString run() { return folder->filePath("e2e.run"); }
    /// A copy of the run that keeps the rule top=25% for model 2 on the training set, as the window would.
    static QString runKeepingTopQuarter()
    {
        json copy = readJson(run());
        copy["parameters"]["set_lr#ChosenCutoff.2.1"] = { { "type", 8 }, { "value", "top=25%" } };
        const QString path = folder->filePath("kept.run");
        writeFile(path, QByteArray::fromStdString(copy.dump(2)));
        return path;
    }
    static QString file(const char* name) { return QDir(path("out")).filePath(QLatin1String(name)); }
    static json readJson(const QString& path) { return json::parse(readFile(path).toStdString()); }

    static inline QTemporaryDir* folder = nullptr;
    static inline std::map<QString, Outcome>* outcomes = nullptr;
    const TestRecords records = readRecords(3);
    const wb::engine::Analysis analysis = wb::engine::analyse(records.view(), kBuckets);
};

} // namespace

TEST_F(EndToEnd, ExportWritesEveryViewIntoASelfContainedIndex)
{
    const QStringList tables = { "quantiles", "roc", "cutoff-points", "gains", "lift", "log-odds", "logistic-fit",
        "confusion-matrix", "calibration" };
    const QStringList chartsOnly = { "trendline", "confusion-distribution" };
    const qsizetype perRecord = qsizetype(records.ids.size()); // the calculation errors included
    for (const QString& view : tables + chartsOnly) {
        SCOPED_TRACE(view.toStdString());
        EXPECT_FALSE(QImage(file(qPrintable(view + ".png"))).isNull());
        if (!tables.contains(view))
            continue;
        const QByteArray text = readFile(file(qPrintable(view + ".tsv")));
        EXPECT_TRUE(text.endsWith('\n')) << "every line ends, the last one too";
        const auto rows = readTsv(file(qPrintable(view + ".tsv")));
        ASSERT_GT(rows.size(), 1u);
        for (const QStringList& row : rows)
            EXPECT_EQ(row.size(), rows.front().size());
        const bool isPerRecord = qsizetype(rows.size()) == perRecord + 1;
        EXPECT_TRUE(isPerRecord || rows.size() == kBuckets + 1) << rows.size();
        // With --records, a per-record table holds its first rows; the quantile tables stay whole.
        const auto cut = readTsv(QDir(path("cut")).filePath(view + ".tsv"));
        ASSERT_EQ(cut.size(), isPerRecord ? kCutRows + 1 : rows.size());
        EXPECT_TRUE(std::equal(cut.begin(), cut.end(), rows.begin()));
    }
    EXPECT_EQ(outcomes->at(QStringLiteral("out")).out.trimmed(), QFileInfo(file("index.html")).absoluteFilePath());
    const QString html = QString::fromUtf8(readFile(file("index.html")));
    EXPECT_FALSE(html.contains("src=")) << "nothing beside the page is needed to show it";
    EXPECT_EQ(html.count("<svg"), tables.size() + chartsOnly.size());
    for (const char* summary : { "Youden cutoff", "Confusion matrix at the chosen cutoff (youden)", "95% CI" })
        EXPECT_LT(html.indexOf(summary), html.indexOf("<svg")) << "the summary comes first: " << summary;
}

TEST_F(EndToEnd, ExportedTablesAndStatisticsAreTheEnginesFigures)
{
    EXPECT_NEAR(analysis.auc, mannWhitney(records, records), 1e-12);
    const json stats = readJson(file("statistics.json"));
    EXPECT_EQ(stats["model"]["id"], 2);
    EXPECT_EQ(wb::RunFile::load(run()).models[1].trainingFitness, -11111); // outputs that are empty or text
    EXPECT_EQ(stats["dataset"], "training");
    EXPECT_EQ(readJson(path("validation") + "/statistics.json")["dataset"], "validation"); // named in any case
    EXPECT_EQ(stats["records"], analysis.validRecords);
    EXPECT_EQ(stats["calculationErrors"], analysis.calculationErrors);
    EXPECT_EQ(stats["auc"].get<double>(), analysis.auc) << "full precision";
    EXPECT_EQ(stats["youden"]["cutoff"].get<double>(), lrv::at(analysis.rocStats, lrv::RocStat::Cutoff));
    EXPECT_EQ(stats["youden"]["j"].get<double>(), lrv::at(analysis.rocStats, lrv::RocStat::Youden));
    const char* const counts[] = { "tp", "tn", "fp", "fn" };
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(stats["youden"][counts[k]], analysis.rocCounts[std::size_t(k)]) << counts[k];
    EXPECT_TRUE(stats["statistics"]["ROC"]["TP"].is_string()) << "a text of the grid stays a text";

    // Quantiles in the JSON: the engine's bucket counts and boundaries.
    ASSERT_EQ(stats["quantiles"].size(), std::size_t(kBuckets));
    for (int b = 1; b <= kBuckets; ++b) {
        SCOPED_TRACE(b);
        const json& q = stats["quantiles"][std::size_t(b - 1)];
        const auto at = [&](lrv::DecileColumn column) { return lrv::at(*analysis.decileResults, b, column); };
        EXPECT_EQ(q["quantile"], b);
        EXPECT_EQ(q["records"].get<double>(), at(lrv::DecileColumn::Total));
        EXPECT_EQ(q["positives"].get<double>(), at(lrv::DecileColumn::Positives));
        EXPECT_EQ(q["upper"].get<double>(), at(lrv::DecileColumn::UpperBoundary));
        EXPECT_EQ(q["lower"].get<double>(), at(lrv::DecileColumn::LowerBoundary));
    }

    // Every ROC row, in ranking order with the calculation errors first.
    const auto rows = readTsv(file("roc.tsv"));
    const wb::engine::CellTable& roc = *analysis.rocResults;
    ASSERT_EQ(rows.size(), std::size_t(roc.rowCount()) + 1);
    const lrv::RocColumn shown[]
        = { lrv::RocColumn::Id, lrv::RocColumn::Target, lrv::RocColumn::Output, lrv::RocColumn::TruePositives,
              lrv::RocColumn::TrueNegatives, lrv::RocColumn::FalsePositives, lrv::RocColumn::FalseNegatives,
              lrv::RocColumn::Sensitivity, lrv::RocColumn::FalsePositiveRate, lrv::RocColumn::Youden };
    for (int r = 0; r < roc.rowCount(); ++r)
        for (int k = 0; k < 10; ++k) {
            const double expected = lrv::at(roc, roc.rowLow() + r, shown[k]);
            const QString& cell = rows[std::size_t(r) + 1][k];
            if (std::isnan(expected))
                EXPECT_EQ(cell, "NaN") << "row " << r << " column " << k;
            else
                EXPECT_NEAR(cell.toDouble(), expected, 1e-12 * std::max(1.0, std::abs(expected)))
                    << "row " << r << " column " << k;
        }

    // The outcome of every valid record at the logistic cutoff, counted, is the engine's matrix.
    std::map<QString, int> outcomes;
    for (const QStringList& line : readTsv(file("confusion-matrix.tsv")))
        if (line[2] != "NaN")
            ++outcomes[line[7]];
    const char* const names[] = { "True Pos.", "True Neg.", "False Pos.", "False Neg." };
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(outcomes[names[k]], analysis.logisticCounts[std::size_t(k)]) << names[k];
}

TEST_F(EndToEnd, UncertaintyAndCalibrationAreTheEnginesFigures)
{
    const json stats = readJson(file("statistics.json"));
    const wb::engine::Uncertainty u = wb::engine::assessUncertainty(analysis);
    EXPECT_EQ(stats["probabilitySource"], "outputs"); // the outputs all lie in [0, 1]
    for (const auto& [value, expected] :
        { std::pair { stats["aucCi95"][0], u.auc.ci95.low }, { stats["aucCi95"][1], u.auc.ci95.high },
            { stats["gini"], u.gini }, { stats["ks"]["value"], u.ks }, { stats["brier"], u.brier },
            { stats["logLoss"], u.logLoss }, { stats["hosmerLemeshow"]["statistic"], u.hosmerLemeshow.statistic },
            { stats["hosmerLemeshow"]["p"], u.hosmerLemeshow.p },
            { stats["quantiles"][1]["wilson95"][0], u.wilson95[1].low },
            { stats["quantiles"][1]["wilson95"][1], u.wilson95[1].high } })
        EXPECT_EQ(value.get<double>(), expected);
    EXPECT_EQ(stats["hosmerLemeshow"]["df"], kBuckets - 2);
}

TEST_F(EndToEnd, ChosenCutoffCountsTheRecordsItPredictsPositive)
{
    const json youden = readJson(file("statistics.json"))["youden"];
    for (const char* name : { "out", "cut", "above", "kept" }) {
        SCOPED_TRACE(name);
        const json chosen = readJson(QDir(path(name)).filePath("statistics.json"))["chosenCutoff"];
        const bool outside = name == std::string("above");
        EXPECT_EQ(chosen.value("outsideOutputs", false), outside);
        EXPECT_EQ(outcomes->at(QLatin1String(name)).err.contains("outside the range of the outputs"), outside);
        const double cutoff = chosen["cutoff"];
        int tp = 0, fp = 0, tn = 0, fn = 0;
        for (std::size_t r = 0; r < records.ids.size(); ++r)
            if (!std::isnan(records.outputs[r])) {
                const bool predicted = records.outputs[r] >= cutoff, positive = records.classes[r] == 1;
                ++(predicted ? (positive ? tp : fp) : (positive ? fn : tn));
            }
        EXPECT_EQ(chosen["tp"], tp);
        EXPECT_EQ(chosen["fp"], fp);
        EXPECT_EQ(chosen["tn"], tn);
        EXPECT_EQ(chosen["fn"], fn);
        if (name == std::string("out")) {
            EXPECT_EQ(chosen["rule"], "youden");
            EXPECT_EQ(chosen["cutoff"], youden["cutoff"]);
        } else if (name == std::string("cut") || name == std::string("kept")) {
            EXPECT_EQ(chosen["rule"], "top=25%");
            EXPECT_GE(4 * (tp + fp), analysis.validRecords) << "at least a quarter predicted positive";
        } else {
            EXPECT_EQ(tp + fp, 0);
        }
    }
}

TEST_F(EndToEnd, CompareMeasuresTheModelsWhereEveryModelHasAnOutput)
{
    const json compared = readJson(path("compare") + "/compare.json");
    const TestRecords good = readRecords(2);
    EXPECT_EQ(compared["dataset"], "training");
    EXPECT_EQ(compared["records"], records.ids.size());
    EXPECT_EQ(compared["compared"], analysis.validRecords);
    EXPECT_EQ(compared["leftOut"], analysis.calculationErrors);
    ASSERT_EQ(compared["models"].size(), 2u);
    EXPECT_NEAR(compared["models"][0]["auc"].get<double>(), mannWhitney(good, records), 1e-12);
    EXPECT_NEAR(compared["models"][1]["auc"].get<double>(), mannWhitney(records, records), 1e-12);
    EXPECT_EQ(compared["models"][1]["errors"], analysis.calculationErrors);
    ASSERT_EQ(compared["pairs"].size(), 1u);
    const json& pair = compared["pairs"][0];
    const double difference = pair["difference"], low = pair["ci95"][0], high = pair["ci95"][1];
    EXPECT_NEAR(
        difference, compared["models"][0]["auc"].get<double>() - compared["models"][1]["auc"].get<double>(), 1e-12);
    EXPECT_NEAR((low + high) / 2, difference, 1e-12);
    // The interval excludes 0 exactly when the test rejects at 5 %.
    EXPECT_EQ(low <= 0 && 0 <= high, pair["p"].get<double>() >= 0.05);

    EXPECT_TRUE(readFile(path("compare") + "/compare.html").contains("<svg")) << "the chart is inline";
    EXPECT_TRUE(readFile(path("compare") + "/compare.png").startsWith("\x89PNG"));
}

TEST_F(EndToEnd, BadInputsExitWithTheirStatusAndWriteNothing)
{
    // Every command writes into a folder holding one file of the user's: it must stay alone there.
    QTemporaryDir scratch;
    writeFile(scratch.filePath("mark.txt"), "mark");
    const QString out = scratch.path(), made = scratch.filePath("x.run");
    const QString csv = dataDir + "/train.csv";
    const QString inverted = folder->filePath("inverted.run");
    // Inverted, the good model ranks the positive class last: the user is told.
    EXPECT_TRUE(runProgram(
        { "new", "--training", csv, "--target", "target", "--models", "good", "--invert", "--out", inverted })
                    .err.contains("model 1 good: the model ranks the positive class low; did you mean --invert?"));
    const QStringList newRun { "new", "--models", "good", "--out", made, "--training" };
    const QStringList exportRun { "export", run(), "--out", out };
    const QStringList compareOut { "compare", "--out", out };
    const struct {
        QStringList arguments;
        int status;
        QStringList message;
    } cases[] = {
        { {}, 1, { "Usage" } },
        { { "frobnicate" }, 1, { "Usage" } },
        { newRun + QStringList { csv }, 1, { "Usage" } }, // no --target
        { exportRun + QStringList { "--dataset", "test" }, 1, { "Usage" } },
        { compareOut + QStringList { run(), "--dataset", "test" }, 1, { "training or validation" } },
        { newRun + QStringList { scratch.filePath("missing.csv"), "--target", "target" }, 2, { "missing.csv" } },
        { newRun + QStringList { dataDir + "/bad-target.csv", "--target", "target" }, 2, { "bad-target.csv", "7" } },
        { newRun + QStringList { dataDir + "/ragged.csv", "--target", "target" }, 2, { "ragged.csv", "line 3" } },
        { newRun + QStringList { csv, "--target", "nosuch" }, 2, { "train.csv", "nosuch" } },
        { exportRun + QStringList { "--cutoff", "sensitivity=1.5" }, 2, { "\"sensitivity=1.5\"", "Allowed: youden" } },
        { exportRun + QStringList { "--cutoff", "soon" }, 2, { "\"soon\"", "Allowed: youden" } },
        // Read well, but found out only by the calculation: inverted, the strictest threshold holds a negative.
        { { "export", inverted, "--out", out, "--cutoff", "specificity=1" }, 2,
            { "No threshold reaches a specificity of 1" } },
        { compareOut + QStringList { scratch.filePath("missing.run") }, 2, { "missing.run" } },
        { compareOut + QStringList { dataDir + "/one-class.run" }, 2, { "class" } },
        { compareOut + QStringList { dataDir + "/training-only.run", "--dataset", "validation" }, 2, { "validation" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome outcome = runProgram(c.arguments);
        EXPECT_EQ(outcome.status, c.status);
        for (const QString& part : c.message)
            EXPECT_TRUE(outcome.err.contains(part)) << outcome.err.toStdString();
        EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList { "mark.txt" });
    }
}
