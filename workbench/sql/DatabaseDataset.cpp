#include "sql/DatabaseDataset.h"

#include "engine/CutoffTable.h"
#include "engine/ProbabilityTable.h"
#include "engine/RankingSummary.h"
#include "engine/RecordSample.h"
#include "engine/RocTable.h"
#include "engine/ZerosOnesTable.h"
#include "sql/DatabaseSource.h"
#include "sql/Queries.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <pqxx/pqxx>

namespace wb::sql {

namespace {
    // Asks the server to stop the running query; a failure to ask leaves the check between queries.
    void cancelQuietly(pqxx::connection& connection)
    {
        try {
            connection.cancel_query();
        } catch (const std::exception&) {
        }
    }

    constexpr int stepsPlanned = 4; // overview, ranking, errors, cutoff counts

    // Type numbers of PostgreSQL's catalogue: the one place that knows them.
    bool isIntegerType(pqxx::oid type) { return type == 20 || type == 21 || type == 23; }
    bool isNumericType(pqxx::oid type) { return isIntegerType(type) || type == 700 || type == 701 || type == 1700; }
    std::string typeName(pqxx::oid type)
    {
        static const std::map<pqxx::oid, std::string> names { { 16, "boolean" }, { 17, "bytea" }, { 25, "text" },
            { 1042, "character" }, { 1043, "character varying" }, { 1082, "date" }, { 1114, "timestamp" },
            { 1184, "timestamp with time zone" }, { 700, "real" }, { 701, "double precision" }, { 1700, "numeric" } };
        const auto found = names.find(type);
        return found != names.end() ? found->second : "type number " + std::to_string(type);
    }

    // The server's message without its severity prefix, on one line.
    std::string serverMessage(const std::string& what)
    {
        std::string text = what.substr(0, what.find('\n'));
        for (const std::string prefix : { "ERROR:  ", "FATAL:  " })
            if (const auto at = text.find(prefix); at != std::string::npos)
                text.erase(at, prefix.size());
        while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
            text.pop_back();
        return text;
    }

    double doubleOf(const pqxx::field& field)
    {
        if (field.is_null())
            return std::numeric_limits<double>::quiet_NaN();
        double value = 0;
        const char* text = field.c_str();
        std::from_chars(text, text + field.size(), value);
        return value;
    }

    std::int64_t integerOf(const pqxx::field& field)
    {
        std::int64_t value = 0;
        if (!field.is_null()) {
            const char* text = field.c_str();
            std::from_chars(text, text + field.size(), value);
        }
        return value;
    }

    // Ids are whole numbers in 32 bits; overview() checks the range before any record is read.
    std::int32_t idOf(const pqxx::field& field) { return std::int32_t(integerOf(field)); }

    std::string countText(std::int64_t count, const char* one, const char* many)
    {
        return std::to_string(count) + " " + (count == 1 ? one : many);
    }

    /// The outputs a logistic model predicts class 1 for: all, none, those at or above a cutoff, or those
    /// below it. Its class is monotone in the output, so a search over the ordered doubles finds the cutoff
    /// at which the model's own arithmetic changes its answer.
    struct ModelCutoff {
        enum Kind { All, None, AtLeast, Below } kind = None;
        double value = 0;
    };

    std::uint64_t orderedKey(double value)
    {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        return (bits >> 63) ? ~bits : bits | (std::uint64_t(1) << 63);
    }

    double valueOfKey(std::uint64_t key)
    {
        return std::bit_cast<double>((key >> 63) ? key ^ (std::uint64_t(1) << 63) : ~key);
    }

    ModelCutoff modelCutoff(const engine::LogisticModel& model)
    {
        const double highest = std::numeric_limits<double>::max();
        const int low = model.mostLikelyClass(-highest), high = model.mostLikelyClass(highest);
        if (low == high)
            return { low == 1 ? ModelCutoff::All : ModelCutoff::None, 0 };
        std::uint64_t below = orderedKey(-highest), at = orderedKey(highest); // classes low and high
        while (at - below > 1) {
            const std::uint64_t middle = below + (at - below) / 2;
            (model.mostLikelyClass(valueOfKey(middle)) == high ? at : below) = middle;
        }
        return { high == 1 ? ModelCutoff::AtLeast : ModelCutoff::Below, valueOfKey(at) };
    }
}

struct DatabaseDataset::State {
    DatabaseSource source;
    std::string idColumn, targetColumn;
    engine::ClassEncoding encoding;
    std::unique_ptr<pqxx::connection> connection;
    std::map<std::string, pqxx::oid> columns;
    std::vector<std::string> columnNames;
    mutable std::int64_t rowsReceived = 0;
    std::atomic<bool> cancelled { false };

    [[noreturn]] void fail(const std::string& why) const
    {
        throw engine::InputError("The database source " + source.uri + " " + why);
    }

    void connect()
    {
        std::string options = source.connection;
        // libpq waits for ever on an unreachable host unless told otherwise.
        if (options.find("connect_timeout=") == std::string::npos)
            options += (options.find('?') == std::string::npos ? "?" : "&") + std::string("connect_timeout=10");
        try {
            connection = std::make_unique<pqxx::connection>(options);
            // Doubles then travel as the shortest text that reads back exactly, whatever the server's default.
            pqxx::nontransaction(*connection).exec("SET extra_float_digits = 3");
        } catch (const std::exception& error) {
            throw engine::InputError(
                "Cannot connect to the database source " + source.uri + ": " + serverMessage(error.what()));
        }
    }

    pqxx::result run(const std::string& query) const
    {
        try {
            pqxx::nontransaction work(*connection);
            pqxx::result result = work.exec(query);
            rowsReceived += std::int64_t(result.size());
            return result;
        } catch (const pqxx::broken_connection& error) {
            if (cancelled)
                throw engine::CalculationCancelled();
            fail("lost its connection: " + serverMessage(error.what()));
        } catch (const std::exception& error) {
            if (cancelled)
                throw engine::CalculationCancelled();
            fail("failed: " + serverMessage(error.what()));
        }
    }

    void describe()
    {
        const pqxx::result result = run(Queries::describe(source.relation));
        for (pqxx::row::size_type c = 0; c < result.columns(); ++c) {
            columnNames.emplace_back(result.column_name(c));
            columns[columnNames.back()] = result.column_type(c);
        }
    }

    void requireColumn(const std::string& name, const char* role, bool whole) const
    {
        const auto found = columns.find(name);
        if (found == columns.end()) {
            std::string present;
            for (const std::string& column : columnNames) {
                if (!present.empty())
                    present += ", ";
                present += column;
            }
            fail("has no " + std::string(role) + " column \"" + name + "\" (its columns: " + present + ").");
        }
        if (whole ? !isIntegerType(found->second) : !isNumericType(found->second))
            fail("has the " + std::string(role) + " column \"" + name + "\" of type " + typeName(found->second)
                + "; it must hold " + (whole ? "whole numbers." : "numbers."));
    }

    Queries::Scored scored(const std::string& outputColumn) const
    {
        requireColumn(outputColumn, "output", false);
        return { source.relation, quoteIdentifier(idColumn), quoteIdentifier(targetColumn),
            quoteIdentifier(outputColumn), Queries::doubleLiteral(encoding.max), Queries::doubleLiteral(encoding.min),
            encoding.invert };
    }
};

DatabaseDataset::DatabaseDataset(const std::string& uri, const std::string& idColumn, const std::string& targetColumn,
    const engine::ClassEncoding& encoding)
    : m_state(std::make_unique<State>())
{
    State& s = *m_state;
    s.source = parseDatabaseSource(uri);
    s.idColumn = idColumn;
    s.targetColumn = targetColumn;
    s.encoding = encoding;
    if (idColumn.empty())
        s.fail("needs an id column: its records have no order of their own to number them by.");
    s.connect();
    s.describe();
    s.requireColumn(idColumn, "id", true);
    s.requireColumn(targetColumn, "target", false);
}

DatabaseDataset::~DatabaseDataset() = default;

void DatabaseDataset::cancel()
{
    m_state->cancelled = true;
    cancelQuietly(*m_state->connection);
}

std::int64_t DatabaseDataset::rowsReceived() const { return m_state->rowsReceived; }

DatabaseDataset::Overview DatabaseDataset::overview(const std::string& outputColumn)
{
    const State& s = *m_state;
    const Queries::Scored q = s.scored(outputColumn);
    const pqxx::row row = s.run(Queries::overview(q))[0];
    const Overview counts { integerOf(row[0]), integerOf(row[1]), integerOf(row[2]) };
    if (integerOf(row[4]) > 0)
        s.fail(
            "has " + countText(integerOf(row[4]), "record", "records") + " without an id in \"" + s.idColumn + "\".");
    if (counts.records > 0
        && (integerOf(row[5]) < std::numeric_limits<std::int32_t>::min()
            || integerOf(row[6]) > std::numeric_limits<std::int32_t>::max()))
        s.fail("has ids in \"" + s.idColumn + "\" beyond the whole numbers of 32 bits (from "
            + std::string(row[5].c_str()) + " to " + row[6].c_str() + ").");
    if (integerOf(row[3]) > 0) {
        const pqxx::row bad = s.run(Queries::badTarget(q))[0];
        const std::string value = bad[1].is_null() ? std::string("nothing") : std::string(bad[1].c_str());
        s.fail("has " + countText(integerOf(row[3]), "record", "records") + " whose target is neither class: the "
            + "record with id " + bad[0].c_str() + " holds " + value + " in \"" + s.targetColumn
            + "\", the classes are " + Queries::doubleLiteral(s.encoding.min) + " and "
            + Queries::doubleLiteral(s.encoding.max) + ".");
    }
    return counts;
}

namespace {
    /// The record-level answers of a ranking the database holds: positives up to the ranks the summary and the
    /// cutoff queries know, and the per-record tables over the sample.
    class DatabaseDetails : public engine::RankingDetails {
    public:
        DatabaseDetails(const std::function<pqxx::result(const std::string&)>& run, const Queries::Scored& query,
            const engine::RankingSummary& summary, std::shared_ptr<const engine::RecordSample> sample)
            : m_run(run)
            , m_query(query)
            , m_summary(summary)
            , m_sample(std::move(sample))
        {
            const engine::BucketSummary& buckets = summary.buckets;
            std::int32_t cumulative = 0;
            for (int b = 0; b < buckets.buckets; ++b) {
                m_prefix[buckets.begin[b]] = cumulative;
                cumulative += buckets.positives[b];
            }
            m_prefix[summary.validRecords] = cumulative;
        }

        void knowPrefix(std::int64_t rank, std::int32_t positives) { m_prefix[rank] = positives; }

        std::int32_t positivesBetween(std::int64_t low, std::int64_t high) const override
        {
            return m_prefix.at(high) - m_prefix.at(low);
        }

        std::pair<std::int64_t, std::int64_t> predictedRun(const engine::LogisticModel& model) override
        {
            const std::int64_t n = m_summary.validRecords;
            const ModelCutoff cutoff = modelCutoff(model);
            if (cutoff.kind == ModelCutoff::All)
                return { 0, n };
            if (cutoff.kind == ModelCutoff::None)
                return { n, n };
            const bool below = cutoff.kind == ModelCutoff::Below;
            const pqxx::row row = m_run(Queries::countsAtCutoff(m_query, cutoff.value, below))[0];
            const std::int64_t count = integerOf(row[0]);
            const auto positives = std::int32_t(integerOf(row[1]));
            // Ranking is descending unless inverted: outputs at or above a cutoff then lead it.
            if (below == m_summary.inverted) {
                m_prefix[count] = positives;
                return { 0, count };
            }
            m_prefix[n - count] = m_summary.positives - positives;
            return { n - count, n };
        }

        void addRecordTables(
            engine::Analysis& a, std::int32_t optimalEnd, const engine::LogisticModel& model) const override
        {
            a.rocResults = std::make_shared<engine::RocTableOf<engine::RecordSample>>(m_sample, optimalEnd);
            a.cutoffPoints = std::make_shared<engine::CutoffTableOf<engine::RecordSample>>(m_sample);
            a.probabilities = std::make_shared<engine::ProbabilityTableOf<engine::RecordSample>>(m_sample, model);
            a.zerosOnes = std::make_shared<engine::ZerosOnesTableOf<engine::RecordSample>>(m_sample);
        }

    private:
        const std::function<pqxx::result(const std::string&)>& m_run;
        const Queries::Scored& m_query;
        const engine::RankingSummary& m_summary;
        std::shared_ptr<const engine::RecordSample> m_sample;
        std::map<std::int64_t, std::int32_t> m_prefix;
    };
}

engine::Analysis DatabaseDataset::analyse(
    const std::string& outputColumn, int buckets, const engine::ProgressFunction& progress, std::int64_t recordCap)
{
    const State& s = *m_state;
    const Queries::Scored q = s.scored(outputColumn);
    int step = 0;
    auto advance = [&] {
        if (progress && !progress(++step, stepsPlanned))
            throw engine::CalculationCancelled();
    };
    if (progress && !progress(0, stepsPlanned))
        throw engine::CalculationCancelled();
    const Overview counts = overview(outputColumn);
    advance();
    const std::int64_t n = counts.valid, positives = counts.positives;
    if (counts.records >= std::numeric_limits<std::int32_t>::max())
        throw engine::CalculationError("The dataset holds " + std::to_string(counts.records)
            + " records; an analysis takes at most 2147483646. Use a sample of the dataset.");
    if (counts.records == 0)
        throw engine::CalculationError("The dataset has no records. Choose another dataset.");
    if (n == 0)
        throw engine::CalculationError("The model has no valid output in this dataset: all "
            + countText(counts.records, "output is a calculation error", "outputs are calculation errors")
            + " (empty, not a number or infinite). Choose another model or dataset.");
    if (positives == 0 || positives == n)
        throw engine::CalculationError(std::string("The dataset holds only class ") + (positives == 0 ? "0" : "1")
            + " records among its " + countText(n, "valid output", "valid outputs")
            + "; the analysis needs records of both classes. Check the class encoding of the dataset.");
    engine::parseBuckets(std::to_string(buckets), n);

    engine::RankingSummary summary;
    summary.inverted = s.encoding.invert;
    summary.validRecords = std::int32_t(n);
    summary.positives = std::int32_t(positives);
    summary.calculationErrors = std::int32_t(counts.records - n);
    std::int32_t optimalPositives = 0;
    engine::BucketSummary& b = summary.buckets;
    b.buckets = buckets;
    b.begin = engine::BucketSummary::boundaries(n, buckets);
    // At most recordCap ranks spread from the first to the last, so that the charts span the whole curve.
    const std::int64_t sampleSize = std::max<std::int64_t>(2, std::min(n, recordCap));
    std::vector<engine::RecordSample::Row> rows;
    for (const pqxx::row& row : s.run(Queries::rankingResults(q, buckets, positives, n, sampleSize))) {
        const std::int64_t kind = integerOf(row[0]);
        if (kind == 1) {
            const auto index = std::size_t(b.positives.size());
            if (integerOf(row[1]) != std::int64_t(index) + 1 || integerOf(row[2]) != b.total(int(index)))
                s.fail("ranked its records inconsistently: bucket " + std::to_string(index + 1)
                    + " came back as bucket " + row[1].c_str() + " of " + row[2].c_str() + " records.");
            b.positives.push_back(std::int32_t(integerOf(row[3])));
            b.upper.push_back(doubleOf(row[6]));
            b.lower.push_back(doubleOf(row[7]));
        } else if (kind == 2) {
            summary.optimalEnd = std::int32_t(integerOf(row[4]));
            summary.optimalBegin = summary.optimalEnd - std::int32_t(integerOf(row[1]));
            summary.thresholdId = idOf(row[2]);
            optimalPositives = std::int32_t(integerOf(row[3]));
            summary.twiceU = integerOf(row[5]);
            summary.optimalOutput = doubleOf(row[6]);
        } else {
            rows.push_back({ integerOf(row[1]) - 1, idOf(row[2]), std::uint8_t(integerOf(row[3])), doubleOf(row[6]),
                std::int32_t(integerOf(row[4])), std::int32_t(integerOf(row[5])) });
        }
    }
    if (int(b.positives.size()) != buckets)
        s.fail("returned " + std::to_string(b.positives.size()) + " of " + std::to_string(buckets) + " buckets.");
    b.setX(summary.inverted);
    advance();

    std::vector<engine::RecordSample::ErrorRow> errors;
    if (summary.calculationErrors > 0)
        for (const pqxx::row& row : s.run(Queries::errorRecords(q, recordCap)))
            errors.push_back({ idOf(row[0]), std::uint8_t(integerOf(row[1])) });
    advance();

    auto sample = std::make_shared<const engine::RecordSample>(
        std::move(rows), std::move(errors), summary.positives, summary.negatives(), summary.inverted);

    const std::function<pqxx::result(const std::string&)> run = [&s](const std::string& query) { return s.run(query); };
    DatabaseDetails details(run, q, summary, sample);
    details.knowPrefix(summary.optimalEnd, optimalPositives);
    engine::Analysis analysis = engine::assembleAnalysis(summary, details);
    advance();
    return analysis;
}

engine::Fitness DatabaseDataset::fitness(const std::string& outputColumn)
{
    engine::Fitness fitness;
    const Overview counts = overview(outputColumn);
    if (counts.valid < 2)
        return fitness;
    engine::Analysis a;
    try {
        // The per-record tables are not needed: the smallest sample will do.
        a = analyse(
            outputColumn, int(std::clamp<std::int64_t>(10, 2, std::min<std::int64_t>(counts.valid, 1000))), {}, 3);
    } catch (const engine::CalculationError&) {
        return fitness;
    }
    const pqxx::row sums = m_state->run(
        Queries::probabilitySums(m_state->scored(outputColumn), a.probabilitySlope, a.probabilityIntercept))[0];
    const double n = double(counts.valid);
    const double sp = doubleOf(sums[0]), spp = doubleOf(sums[1]), sy = doubleOf(sums[2]), spy = doubleOf(sums[3]);
    const double covariance = spy - sp * sy / n;
    const double varianceP = spp - sp * sp / n, varianceY = sy - sy * sy / n;
    fitness.rSquare = (varianceP > 0 && varianceY > 0) ? covariance * covariance / (varianceP * varianceY) : 0;
    fitness.accuracy = 100.0
        * (lrv::at(a.logisticCounts, lrv::Outcome::TruePositive)
            + lrv::at(a.logisticCounts, lrv::Outcome::TrueNegative))
        / a.validRecords;
    return fitness;
}

std::vector<std::string> DatabaseDataset::distinctTargets(
    const std::string& uri, const std::string& targetColumn, std::size_t limit)
{
    State s;
    s.source = parseDatabaseSource(uri);
    s.connect();
    s.describe();
    s.requireColumn(targetColumn, "target", false);
    std::vector<std::string> values;
    for (const pqxx::row& row :
        s.run(Queries::distinctTargets(s.source.relation, quoteIdentifier(targetColumn), std::int64_t(limit))))
        values.emplace_back(row[0].c_str());
    return values;
}

} // namespace wb::sql
