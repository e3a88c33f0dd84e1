// `vantorix-lr new` then `vantorix-lr export` on a small run, checked against the engine on the same records.
#include "engine/Analysis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <map>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString csvPath = QStringLiteral(LRV_TEST_DATA "/workbench/e2e-train.csv");
constexpr int kBuckets = 4;
constexpr int kCutRows = 3;
/// Rank 5 of 20 ties with rank 6 (0.80): both are predicted positive.
const QString kTopRule = QStringLiteral("top=25%");
/// A typed cutoff above every output: allowed, no record is predicted positive.
const QString kAboveOutputs = QStringLiteral("1.5");

struct Outcome {
    int status = -1;
    QString out, err;
};

Outcome runProgram(const QStringList& arguments)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../workbench/app/vantorix-lr");
    EXPECT_TRUE(QFileInfo::exists(program)) << "build the vantorix-lr target first: " << program.toStdString();
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A batch job without a display: the program has to find its own way to draw.
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError()) };
}

/// The records of the CSV as the engine takes them: file order, empty outputs as calculation errors.
struct Records {
    std::vector<std::int32_t> ids;
    std::vector<std::uint8_t> classes;
    std::vector<double> outputs;

    wb::engine::ScoredRecords scored() const
    {
        return { ids.data(), classes.data(), outputs.data(), ids.size(), false, {} };
    }
};

Records readRecords()
{
    Records records;
    QFile file(csvPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(',');
        records.ids.push_back(cells[0].toInt());
        records.classes.push_back(std::uint8_t(cells[1].toInt()));
        bool ok = false;
        const double output = cells[2].toDouble(&ok);
        records.outputs.push_back(ok ? output : std::numeric_limits<double>::quiet_NaN());
    }
    return records;
}

/// Area under the ROC curve as the Mann–Whitney count over all positive–negative pairs, ties counted half.
double mannWhitneyAuc(const Records& records)
{
    double wins = 0, pairs = 0;
    for (std::size_t p = 0; p < records.ids.size(); ++p)
        for (std::size_t n = 0; n < records.ids.size(); ++n) {
            if (records.classes[p] != 1 || records.classes[n] != 0 || std::isnan(records.outputs[p])
                || std::isnan(records.outputs[n]))
                continue;
            pairs += 1;
            wins += records.outputs[p] > records.outputs[n] ? 1 : records.outputs[p] == records.outputs[n] ? 0.5 : 0;
        }
    return wins / pairs;
}

/// A TSV file as lines of cells.
std::vector<QStringList> readTsv(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
        rows.push_back(line.split('\t'));
    return rows;
}

class ExportEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        const QString run = folder->filePath(QStringLiteral("e2e.run"));
        made = new Outcome(runProgram({ QStringLiteral("new"), QStringLiteral("--training"), csvPath,
            QStringLiteral("--target"), QStringLiteral("target"), QStringLiteral("--id"), QStringLiteral("id"),
            QStringLiteral("--models"), QStringLiteral("score"), QStringLiteral("--out"), run }));
        exported = new Outcome(runProgram({ QStringLiteral("export"), run, QStringLiteral("--out"), out(),
            QStringLiteral("--buckets"), QString::number(kBuckets) }));
        exportedCut = new Outcome(
            runProgram({ QStringLiteral("export"), run, QStringLiteral("--out"), cutOut(), QStringLiteral("--buckets"),
                QString::number(kBuckets), QStringLiteral("--records"), QString::number(kCutRows),
                QStringLiteral("--dataset"), QStringLiteral("TRAINING"), QStringLiteral("--cutoff"), kTopRule }));
        exportedAbove = new Outcome(runProgram({ QStringLiteral("export"), run, QStringLiteral("--out"), aboveOut(),
            QStringLiteral("--buckets"), QString::number(kBuckets), QStringLiteral("--cutoff"), kAboveOutputs }));
    }
    static void TearDownTestSuite()
    {
        delete exportedAbove;
        delete exportedCut;
        delete exported;
        delete made;
        delete folder;
    }
    void SetUp() override
    {
        ASSERT_EQ(made->status, 0) << made->err.toStdString();
        ASSERT_EQ(exported->status, 0) << exported->err.toStdString();
        ASSERT_EQ(exportedCut->status, 0) << exportedCut->err.toStdString();
        ASSERT_EQ(exportedAbove->status, 0) << exportedAbove->err.toStdString();
        records = readRecords();
        analysis = wb::engine::analyse(records.scored(), kBuckets);
    }

    static QString out() { return folder->filePath(QStringLiteral("out")); }
    static QString cutOut() { return folder->filePath(QStringLiteral("cut")); }
    static QString aboveOut() { return folder->filePath(QStringLiteral("above")); }
    static QString file(const QString& name) { return QDir(out()).filePath(name); }
    static QJsonObject statisticsJson(const QString& folder)
    {
        QFile jsonFile(QDir(folder).filePath(QStringLiteral("statistics.json")));
        EXPECT_TRUE(jsonFile.open(QIODevice::ReadOnly));
        return QJsonDocument::fromJson(jsonFile.readAll()).object();
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline Outcome* made = nullptr;
    static inline Outcome* exported = nullptr;
    static inline Outcome* exportedCut = nullptr;
    static inline Outcome* exportedAbove = nullptr;
    Records records;
    wb::engine::Analysis analysis;
};

TEST_F(ExportEndToEnd, WritesEveryFileAndASelfContainedIndex)
{
    const QStringList tabs
        = { "quantiles", "roc", "cutoff-points", "gains", "lift", "log-odds", "logistic-fit", "confusion-matrix" };
    // The views behind the quantiles' and the confusion matrix's options have a chart only.
    const QStringList views = { "trendline", "confusion-distribution" };
    for (const QString& tab : tabs + views) {
        SCOPED_TRACE(tab.toStdString());
        if (tabs.contains(tab)) {
            EXPECT_GT(QFileInfo(file(tab + ".tsv")).size(), 0);
        }
        // The PNG is the SVG's picture at twice its size.
        QFile svgFile(file(tab + ".svg"));
        ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
        const QRegularExpressionMatch size
            = QRegularExpression(R"re(<svg[^>]* viewBox="0 0 (\d+) (\d+)")re").match(svgFile.readAll());
        ASSERT_TRUE(size.hasMatch());
        const QImage png(file(tab + ".png"));
        EXPECT_EQ(png.width(), 2 * size.captured(1).toInt());
        EXPECT_EQ(png.height(), 2 * size.captured(2).toInt());
    }
    for (const char* name : { "statistics.txt", "statistics.json", "index.html" })
        EXPECT_GT(QFileInfo(file(QString::fromLatin1(name))).size(), 0) << name;
    EXPECT_EQ(exported->out.trimmed(), QFileInfo(file("index.html")).absoluteFilePath());

    QFile index(file("index.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(index.readAll());
    EXPECT_FALSE(html.contains("src=")) << "nothing beside the page is needed to show it";
    EXPECT_EQ(html.count("<svg"), tabs.size() + views.size());
    EXPECT_TRUE(html.contains("<h2>ROC: score (id 1), training dataset</h2>")) << "charts name model and dataset";
    EXPECT_LT(html.indexOf("Youden cutoff"), html.indexOf("<svg")) << "the summary comes first";
    EXPECT_LT(html.indexOf("Confusion matrix at the chosen cutoff (youden)"), html.indexOf("<svg"));
    EXPECT_LT(html.indexOf("95% CI"), html.indexOf("<svg"));
}

TEST_F(ExportEndToEnd, EachTableHasItsReportColumnsAndRows)
{
    const QString gains
        = "Quantile\tUpper Boundary\tLower Boundary\tPositive Cases\tTotal Cases\tPositives Rate\tLift\t"
          "Cumulative Positives\tCumulative Positives Rate\tCumulative Lift";
    struct Expected {
        const char* tab;
        QString header;
        std::size_t dataLines;
    };
    const std::size_t perRecord = records.ids.size(); // the calculation error included
    const Expected expected[] = {
        { "quantiles",
            "Quantile\tUpper Boundary\tLower Boundary\tPositive Cases\tNegative Cases\tTotal Cases\tPositive Cases "
            "%\tNegative Cases %\tCumulative Positives\tCumulative Positives %",
            kBuckets },
        { "roc",
            "Id\tTarget\tModel Output\tTrue Positives\tTrue Negatives\tFalse Positives\tFalse "
            "Negatives\tSensitivity\t1-Specificity\tSE + SP - 1",
            perRecord },
        { "cutoff-points",
            "Id\tTarget\tModel Output\tTPR (Sens)\tTNR (Spec)\tFPR (1-Spec)\tFNR\tSE + SP - 1\tPredicted "
            "Class\tMatch\tType",
            perRecord },
        { "gains", gains, kBuckets },
        { "lift", gains, kBuckets },
        { "log-odds",
            "Quantile\tUpper Boundary\tLower Boundary\tPositive Cases\tNegative Cases\tTotal Cases\tPositive Cases "
            "%\tNegative Cases %\tOdds Ratio\tLog Odds",
            kBuckets },
        { "logistic-fit",
            "Id\tTarget\tModel Output\tLog Odds\tOdds Ratio\tProbability[1]\tProbability[0]\tMost Likely Class\tMatch",
            perRecord },
        { "confusion-matrix",
            "Id\tTarget\tModel Output\tProbability[1]\tProbability[0]\tMost Likely Class\tMatch\tType", perRecord },
    };
    for (const Expected& tab : expected) {
        SCOPED_TRACE(tab.tab);
        const auto rows = readTsv(file(QString::fromLatin1(tab.tab) + ".tsv"));
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front().join('\t'), tab.header);
        EXPECT_EQ(rows.size(), tab.dataLines + 1);
        for (const QStringList& row : rows)
            EXPECT_EQ(row.size(), rows.front().size());
        // With --records, a per-record table holds its first rows; the quantile tables stay whole.
        const auto cut = readTsv(QDir(cutOut()).filePath(QString::fromLatin1(tab.tab) + ".tsv"));
        const std::size_t cutLines = tab.dataLines == perRecord ? kCutRows : tab.dataLines;
        ASSERT_EQ(cut.size(), cutLines + 1);
        EXPECT_TRUE(std::equal(cut.begin(), cut.end(), rows.begin()));
    }
}

TEST_F(ExportEndToEnd, RocTableAndStatisticsAgreeWithTheEngine)
{
    EXPECT_NEAR(analysis.auc, mannWhitneyAuc(records), 1e-12);
    const QJsonObject json = statisticsJson(out());
    EXPECT_EQ(json["model"].toObject()["id"].toInt(), 1);
    EXPECT_EQ(json["model"].toObject()["name"].toString(), "score");
    EXPECT_EQ(json["dataset"].toString(), "training");
    EXPECT_EQ(json["records"].toInt(), analysis.validRecords);
    EXPECT_EQ(json["calculationErrors"].toInt(), analysis.calculationErrors);
    EXPECT_EQ(json["positives"].toInt() + json["negatives"].toInt(), analysis.validRecords);
    EXPECT_EQ(json["auc"].toDouble(), analysis.auc) << "full precision";
    const QJsonObject youden = json["youden"].toObject();
    EXPECT_EQ(youden["cutoff"].toDouble(), lrv::at(analysis.rocStats, lrv::RocStat::Cutoff));
    EXPECT_EQ(youden["j"].toDouble(), lrv::at(analysis.rocStats, lrv::RocStat::Youden));
    const char* const counts[] = { "tp", "tn", "fp", "fn" };
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(youden[counts[k]].toInt(), analysis.rocCounts[std::size_t(k)]) << counts[k];
    const QJsonArray quantiles = json["quantiles"].toArray();
    ASSERT_EQ(quantiles.size(), kBuckets);
    for (int b = 1; b <= kBuckets; ++b) {
        const QJsonObject q = quantiles[b - 1].toObject();
        EXPECT_EQ(q["quantile"].toInt(), b);
        EXPECT_EQ(q["records"].toDouble(), analysis.decileResults->at(b, 5));
        EXPECT_EQ(q["positives"].toDouble(), analysis.decileResults->at(b, 3));
        EXPECT_EQ(q["upper"].toDouble(), analysis.decileResults->at(b, 1));
        EXPECT_EQ(q["lower"].toDouble(), analysis.decileResults->at(b, 2));
    }
    const QJsonObject roc = json["statistics"].toObject()["ROC"].toObject();
    EXPECT_EQ(roc["Area Under the ROC Curve"].toDouble(), analysis.auc);
    EXPECT_EQ(roc["ROC Cutoff Point"].toDouble(), lrv::at(analysis.rocStats, lrv::RocStat::Cutoff));
    EXPECT_TRUE(roc["TP"].isString()) << "a text of the grid stays a text";

    const auto rows = readTsv(file("roc.tsv"));
    ASSERT_EQ(rows.size(), std::size_t(analysis.rocResults->rowCount()) + 1);
    const int mapped[10] = { 0, 1, 2, 3, 4, 5, 6, 8, 9, 11 };
    int thresholdRows = 0;
    for (int r = 0; r < analysis.rocResults->rowCount(); ++r) {
        const QStringList& line = rows[std::size_t(r) + 1];
        for (int k = 0; k < 10; ++k) {
            const double expected = analysis.rocResults->at(analysis.rocResults->rowLow() + r, mapped[k]);
            const double shown = line[k] == "NaN" ? std::nan("") : line[k].toDouble();
            if (std::isnan(expected))
                EXPECT_TRUE(std::isnan(shown)) << "row " << r << " column " << k;
            else
                EXPECT_NEAR(shown, expected, 1e-12 * std::max(1.0, std::abs(expected)))
                    << "row " << r << " column " << k;
        }
        if (line[0].toInt() != analysis.thresholdId)
            continue;
        ++thresholdRows;
        EXPECT_DOUBLE_EQ(line[2].toDouble(), lrv::at(analysis.rocStats, lrv::RocStat::Cutoff))
            << "the ROC cutoff point is its output";
        EXPECT_NEAR(line[9].toDouble(), lrv::at(analysis.rocStats, lrv::RocStat::Youden), 1e-12)
            << "its SE + SP - 1 is the Youden index";
    }
    EXPECT_EQ(thresholdRows, 1);
    EXPECT_EQ(rows[1][2], "NaN") << "the calculation error comes first";
}

TEST_F(ExportEndToEnd, QuantileCountsAndConfusionOutcomesAgreeWithTheEngine)
{
    const auto quantiles = readTsv(file("quantiles.tsv"));
    ASSERT_EQ(quantiles.size(), std::size_t(kBuckets) + 1);
    int total = 0;
    for (int b = 1; b <= kBuckets; ++b) {
        SCOPED_TRACE(b);
        const QStringList& line = quantiles[std::size_t(b)];
        EXPECT_EQ(line[0].toInt(), b);
        EXPECT_EQ(line[3].toDouble(), analysis.decileResults->at(b, 3));
        EXPECT_EQ(line[4].toDouble(), analysis.decileResults->at(b, 4));
        EXPECT_EQ(line[5].toDouble(), analysis.decileResults->at(b, 5));
        EXPECT_EQ(line[5].toInt(), 5) << "20 valid records in 4 equal buckets";
        total += line[5].toInt();
    }
    EXPECT_EQ(total, analysis.validRecords);
    EXPECT_EQ(quantiles.back()[9].toDouble(), 100);

    // The outcome of every valid record at the logistic cutoff, counted, is the engine's matrix.
    std::map<QString, int> outcomes;
    for (const QStringList& line : readTsv(file("confusion-matrix.tsv")))
        if (line[2] != "NaN" && line[2] != "Model Output")
            ++outcomes[line[7]];
    EXPECT_EQ(outcomes["True Pos."], lrv::at(analysis.logisticCounts, lrv::Outcome::TruePositive));
    EXPECT_EQ(outcomes["True Neg."], lrv::at(analysis.logisticCounts, lrv::Outcome::TrueNegative));
    EXPECT_EQ(outcomes["False Pos."], lrv::at(analysis.logisticCounts, lrv::Outcome::FalsePositive));
    EXPECT_EQ(outcomes["False Neg."], lrv::at(analysis.logisticCounts, lrv::Outcome::FalseNegative));
    EXPECT_EQ(outcomes["True Pos."] + outcomes["True Neg."] + outcomes["False Pos."] + outcomes["False Neg."], 20);
}

TEST_F(ExportEndToEnd, UncertaintyAndCalibrationAgreeWithTheRecords)
{
    const QJsonObject json = statisticsJson(out());
    const double auc = json["auc"].toDouble();
    EXPECT_NEAR(json["gini"].toDouble(), 2 * auc - 1, 1e-12);
    const QJsonArray ci = json["aucCi95"].toArray();
    ASSERT_EQ(ci.size(), 2);
    EXPECT_LT(ci[0].toDouble(), auc);
    EXPECT_GT(ci[1].toDouble(), auc);
    EXPECT_NEAR(json["ks"].toObject()["value"].toDouble(), json["youden"].toObject()["j"].toDouble(), 1e-12)
        << "the largest TPR − FPR is the Youden index";

    // The scores all lie in [0, 1], so they are the probabilities.
    EXPECT_EQ(json["probabilitySource"].toString(), "outputs");
    double squares = 0, losses = 0;
    int valid = 0;
    for (std::size_t r = 0; r < records.ids.size(); ++r) {
        if (std::isnan(records.outputs[r]))
            continue;
        const double p = records.outputs[r], y = records.classes[r];
        squares += (p - y) * (p - y);
        losses -= y * std::log(p) + (1 - y) * std::log(1 - p);
        ++valid;
    }
    EXPECT_NEAR(json["brier"].toDouble(), squares / valid, 1e-12);
    EXPECT_NEAR(json["logLoss"].toDouble(), losses / valid, 1e-12);
    const QJsonObject hl = json["hosmerLemeshow"].toObject();
    EXPECT_EQ(hl["df"].toInt(), kBuckets - 2);
    EXPECT_GT(hl["p"].toDouble(), 0);
    EXPECT_LE(hl["p"].toDouble(), 1);

    for (const QJsonValue& value : json["quantiles"].toArray()) {
        const QJsonObject q = value.toObject();
        SCOPED_TRACE(q["quantile"].toInt());
        const double rate = q["positives"].toDouble() / q["records"].toDouble();
        const QJsonArray wilson = q["wilson95"].toArray();
        ASSERT_EQ(wilson.size(), 2);
        EXPECT_LE(wilson[0].toDouble(), rate);
        EXPECT_GE(wilson[1].toDouble(), rate);
        EXPECT_LT(wilson[0].toDouble(), wilson[1].toDouble());
    }
}

TEST_F(ExportEndToEnd, ChosenCutoffCountsTheRecordsItPredictsPositive)
{
    const QJsonObject youden = statisticsJson(out())["youden"].toObject();
    struct Case {
        QString folder, rule;
        const Outcome* outcome;
    };
    for (const Case& c : { Case { out(), "youden", exported }, Case { cutOut(), kTopRule, exportedCut },
             Case { aboveOut(), kAboveOutputs, exportedAbove } }) {
        SCOPED_TRACE(c.rule.toStdString());
        const QJsonObject chosen = statisticsJson(c.folder)["chosenCutoff"].toObject();
        EXPECT_EQ(chosen["rule"].toString(), c.rule);
        const bool outside = c.rule == kAboveOutputs;
        EXPECT_EQ(chosen["outsideOutputs"].toBool(), outside);
        EXPECT_EQ(c.outcome->err.contains("outside the range of the outputs"), outside) << c.outcome->err.toStdString();
        const double cutoff = chosen["cutoff"].toDouble();
        int tp = 0, fp = 0, tn = 0, fn = 0;
        for (std::size_t r = 0; r < records.ids.size(); ++r) {
            if (std::isnan(records.outputs[r]))
                continue;
            const bool predicted = records.outputs[r] >= cutoff, positive = records.classes[r] == 1;
            (predicted ? (positive ? tp : fp) : (positive ? fn : tn)) += 1;
        }
        EXPECT_EQ(chosen["tp"].toInt(), tp);
        EXPECT_EQ(chosen["fp"].toInt(), fp);
        EXPECT_EQ(chosen["tn"].toInt(), tn);
        EXPECT_EQ(chosen["fn"].toInt(), fn);
        EXPECT_DOUBLE_EQ(chosen["sensitivity"].toDouble(), double(tp) / (tp + fn));
        EXPECT_DOUBLE_EQ(chosen["specificity"].toDouble(), double(tn) / (tn + fp));
        EXPECT_DOUBLE_EQ(chosen["accuracy"].toDouble(), double(tp + tn) / analysis.validRecords);
        if (c.rule == "youden")
            for (const char* key : { "cutoff", "tp", "fp", "tn", "fn" })
                EXPECT_EQ(chosen[key].toDouble(), youden[key].toDouble()) << key;
        else if (c.rule == kTopRule)
            EXPECT_GE(tp + fp, 5) << "at least a quarter of 20 records predicted positive";
        else
            EXPECT_EQ(tp + fp, 0);
    }
}

TEST_F(ExportEndToEnd, ACutoffRuleThatCannotBeMetWritesNothing)
{
    const QString run = folder->filePath(QStringLiteral("e2e.run"));
    const QString kept = folder->filePath(QStringLiteral("kept"));
    ASSERT_TRUE(QDir().mkpath(kept));
    QFile mark(QDir(kept).filePath(QStringLiteral("mark.txt")));
    ASSERT_TRUE(mark.open(QIODevice::WriteOnly) && mark.write("mark") == 4);
    mark.close();
    const QString missing = folder->filePath(QStringLiteral("missing"));
    for (const char* rule : { "sensitivity=1.5", "top=0%", "cost=-1:2", "soon" }) {
        SCOPED_TRACE(rule);
        const Outcome outcome = runProgram(
            { QStringLiteral("export"), run, QStringLiteral("--out"), kept, QStringLiteral("--cutoff"), rule });
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("\"%1\"").arg(QLatin1String(rule))))
            << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains("Allowed: youden")) << outcome.err.toStdString();
    }
    // A rule that reads well but that the records cannot meet is found out only by the calculation, still
    // before the folder is made: inverted, the strictest threshold (0.05) already holds a negative.
    const QString inverted = folder->filePath(QStringLiteral("inverted.run"));
    ASSERT_EQ(runProgram({ QStringLiteral("new"), QStringLiteral("--training"), csvPath, QStringLiteral("--target"),
                             QStringLiteral("target"), QStringLiteral("--models"), QStringLiteral("score"),
                             QStringLiteral("--invert"), QStringLiteral("--out"), inverted })
                  .status,
        0);
    const Outcome unmet = runProgram({ QStringLiteral("export"), inverted, QStringLiteral("--out"), missing,
        QStringLiteral("--cutoff"), QStringLiteral("specificity=1") });
    EXPECT_EQ(unmet.status, 2);
    EXPECT_TRUE(unmet.err.contains("No threshold reaches a specificity of 1")) << unmet.err.toStdString();

    EXPECT_EQ(QDir(kept).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList { "mark.txt" });
    EXPECT_FALSE(QFileInfo::exists(missing));
}

}
