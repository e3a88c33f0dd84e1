// The analysis run in PostgreSQL against the in-memory engine on the same records: ties (some on the logistic
// cutoff), inversion, a target of other values than 0 and 1, every kind of calculation error, and per-record
// tables cut to a sample.
#include "PostgresServer.h"
#include "engine/Analysis.h"
#include "engine/CellTable.h"
#include "engine/LogisticModel.h"
#include "sql/DatabaseDataset.h"
#include "workbench/engine/EngineTestRecords.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <future>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <thread>

#include <QFile>
#include <QTemporaryDir>

using namespace wb;

namespace {

struct Case {
    int records;
    int decimals; ///< outputs rounded to this many decimals: few decimals, many ties
    bool errors;
    bool inverted;
    int buckets;
    std::int64_t recordCap;
    bool tiesOnTheCutoff = false;
};

// Class 1 is target 5, class 0 target 2. Every 17th output is missing, NaN or infinite when asked for.
engine::test::TestRecords makeRecords(const Case& c)
{
    std::mt19937 random(std::uint32_t(c.records * 31 + c.decimals));
    std::normal_distribution<double> noise(0, 1);
    engine::test::TestRecords r;
    r.inverted = c.inverted;
    const double scale = std::pow(10, c.decimals);
    for (int i = 0; i < c.records; ++i) {
        const std::uint8_t cls = random() % 3 == 0;
        double output = std::round((cls * 0.8 + noise(random)) * scale) / scale;
        if (c.errors && i % 17 == 5) {
            const int kind = (i / 17) % 3;
            output = kind == 2 ? -std::numeric_limits<double>::infinity()
                : kind == 1    ? std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::quiet_NaN();
        }
        r.ids.push_back(3 * i - 400);
        r.classes.push_back(cls);
        r.outputs.push_back(output);
    }
    return r;
}

void writeCsv(const engine::test::TestRecords& r, const QString& path)
{
    QFile csv(path);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly | QIODevice::Truncate));
    csv.write("id,target,score\n");
    for (std::size_t i = 0; i < r.ids.size(); ++i) {
        // Missing outputs alternate between an empty field and "NaN".
        const double output = r.outputs[i];
        const QByteArray text = std::isnan(output) ? QByteArray(i % 2 ? "NaN" : "")
            : std::isinf(output)                   ? QByteArray(output > 0 ? "Infinity" : "-Infinity")
                                                   : QByteArray::number(output, 'g', 17);
        csv.write(QByteArray::number(r.ids[i]) + ',' + (r.classes[i] ? "5" : "2") + ',' + text + '\n');
    }
}

/// The smallest output the analysis' logistic model gives class 1 (its outputs rising with class 1).
double logisticCutoff(const engine::Analysis& a)
{
    const engine::LogisticModel model { a.probabilitySlope, a.probabilityIntercept };
    double cutoff = -model.intercept / model.slope;
    while (model.mostLikelyClass(cutoff) == 1)
        cutoff = std::nextafter(cutoff, -HUGE_VAL);
    while (model.mostLikelyClass(cutoff) == 0)
        cutoff = std::nextafter(cutoff, HUGE_VAL);
    return cutoff;
}

/// Moves the records of the lowest output at or above the logistic cutoff onto the cutoff: no record lies
/// between, so the ranking, the buckets and the fit stay, and the tied group sits exactly on the cutoff.
void tieOnTheCutoff(engine::test::TestRecords& r, int buckets)
{
    const double cutoff = logisticCutoff(engine::analyse(r.view(), buckets));
    double above = HUGE_VAL;
    for (const double output : r.outputs)
        if (output >= cutoff && output < above)
            above = output;
    ASSERT_GT(std::count(r.outputs.begin(), r.outputs.end(), above), 1);
    std::replace(r.outputs.begin(), r.outputs.end(), above, cutoff);
}

bool same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (std::isnan(a) && std::isnan(b));
}

using Rows = std::vector<std::vector<double>>;

Rows rowsOf(const engine::CellTable& table)
{
    Rows rows;
    for (int r = table.rowLow(); r <= table.rowHigh(); ++r) {
        rows.emplace_back();
        for (int c = table.colLow(); c <= table.colHigh(); ++c)
            rows.back().push_back(table.at(r, c));
    }
    return rows;
}

bool sameRow(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
}

// Every row of `part` appears in `whole`, in the same order.
::testing::AssertionResult isSubsequence(const Rows& part, const Rows& whole)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < part.size(); ++i) {
        while (at < whole.size() && !sameRow(part[i], whole[at]))
            ++at;
        if (at++ == whole.size())
            return ::testing::AssertionFailure() << "row " << i << " of " << part.size() << " is not in order";
    }
    return ::testing::AssertionSuccess();
}

template <typename Array> void expectSame(const Array& a, const Array& b, const char* what)
{
    ASSERT_EQ(a.size(), b.size()) << what;
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(same(double(a[i]), double(b[i]))) << what << "[" << i << "]: " << a[i] << " vs " << b[i];
}

}

TEST(DatabaseAnalysis, EqualsTheEngineOnTheSameRecords)
{
    test::PostgresServer server;
    ASSERT_TRUE(server.started());
    QTemporaryDir dir;
    const Case cases[] = {
        { 300, 1, true, false, 10, 100000 },
        { 300, 1, true, true, 7, 100000 },
        { 1000, 3, true, false, 13, 50 },
        { 1000, 2, false, true, 4, 50 },
        { 400, 1, false, false, 10, 100000, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.records << " records, " << c.decimals << " decimals, errors " << c.errors
                                          << ", inverted " << c.inverted << ", cap " << c.recordCap);
        engine::test::TestRecords records = makeRecords(c);
        if (c.tiesOnTheCutoff) {
            ASSERT_NO_FATAL_FAILURE(tieOnTheCutoff(records, c.buckets));
        }
        writeCsv(records, dir.filePath("scores.csv"));
        ASSERT_TRUE(server.load("scores", dir.filePath("scores.csv")));

        const engine::Analysis memory = engine::analyse(records.view(), c.buckets);
        if (c.tiesOnTheCutoff) {
            const double cutoff = logisticCutoff(memory);
            EXPECT_GT(std::count(records.outputs.begin(), records.outputs.end(), cutoff), 1) << "ties on the cutoff";
        }
        sql::DatabaseDataset database(
            server.source("table=scores").toStdString(), "id", "target", { 2, 5, c.inverted });
        const engine::Analysis db = database.analyse("score", c.buckets, {}, c.recordCap);

        expectSame(std::array { db.validRecords, db.calculationErrors, db.thresholdId },
            std::array { memory.validRecords, memory.calculationErrors, memory.thresholdId }, "counts");
        using A = engine::Analysis;
        for (double A::*field : { &A::trendSlope, &A::trendIntercept, &A::trendRSquare, &A::auc, &A::logisticCutoff,
                 &A::logOddsSlope, &A::logOddsIntercept, &A::logOddsRSquare, &A::probabilitySlope,
                 &A::probabilityIntercept, &A::gainsArea, &A::gainsRankingQuality })
            EXPECT_TRUE(same(db.*field, memory.*field)) << db.*field << " vs " << memory.*field;
        expectSame(db.decileStats, memory.decileStats, "decile statistics");
        expectSame(db.rocStats, memory.rocStats, "ROC statistics");
        expectSame(db.liftStats, memory.liftStats, "lift statistics");
        expectSame(db.logisticCounts, memory.logisticCounts, "logistic counts");
        expectSame(db.rocCounts, memory.rocCounts, "ROC counts");
        expectSame(db.logisticMatrixStats, memory.logisticMatrixStats, "logistic matrix statistics");
        expectSame(db.rocMatrixStats, memory.rocMatrixStats, "ROC matrix statistics");
        ASSERT_EQ(db.logisticPerBucket.size(), memory.logisticPerBucket.size());
        for (std::size_t b = 0; b < db.logisticPerBucket.size(); ++b) {
            expectSame(db.logisticPerBucket[b], memory.logisticPerBucket[b], "logistic bucket counts");
            expectSame(db.rocPerBucket[b], memory.rocPerBucket[b], "ROC bucket counts");
        }
        for (const auto& [name, part, whole] : { std::tuple { "deciles", db.decileResults, memory.decileResults },
                 { "slope/intercept", db.slopeIntercept, memory.slopeIntercept }, { "gains", db.gains, memory.gains },
                 { "lift", db.lift, memory.lift } }) {
            SCOPED_TRACE(name);
            EXPECT_EQ(rowsOf(*part).size(), rowsOf(*whole).size());
            EXPECT_TRUE(isSubsequence(rowsOf(*part), rowsOf(*whole)));
        }
        const bool sampled = c.records > c.recordCap;
        const std::int64_t errorRows = std::min<std::int64_t>(memory.calculationErrors, c.recordCap);
        EXPECT_EQ(db.rocResults->rowCount(), errorRows + std::min<std::int64_t>(memory.validRecords, c.recordCap));
        for (const auto& [name, part, whole] : { std::tuple { "ROC", db.rocResults, memory.rocResults },
                 { "cutoff", db.cutoffPoints, memory.cutoffPoints },
                 { "probabilities", db.probabilities, memory.probabilities },
                 { "zeros/ones", db.zerosOnes, memory.zerosOnes } }) {
            SCOPED_TRACE(name);
            const Rows partRows = rowsOf(*part), wholeRows = rowsOf(*whole);
            if (!sampled) {
                EXPECT_EQ(partRows.size(), wholeRows.size());
            }
            EXPECT_TRUE(isSubsequence(partRows, wholeRows));
        }
    }
}

TEST(DatabaseAnalysis, CancelStopsTheQueryUnderWay)
{
    test::PostgresServer server;
    ASSERT_TRUE(server.started());
    ASSERT_TRUE(server.load("train", QStringLiteral(LRV_SOURCE_DIR "/samples/pima/train.csv")));
    const QString slow = server.source("query=SELECT t.* FROM train AS t CROSS JOIN (SELECT pg_sleep(30)) AS pause");
    sql::DatabaseDataset database(slow.toStdString(), "id", "target", {});
    auto analysis = std::async(std::launch::async, [&] { return database.analyse("logit_full", 10); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto asked = std::chrono::steady_clock::now();
    database.cancel();
    EXPECT_THROW(analysis.get(), engine::CalculationCancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(5));
}
