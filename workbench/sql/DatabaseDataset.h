#pragma once

#include "engine/Analysis.h"
#include "engine/Dataset.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wb::sql {

/// One dataset in a database, analysed where it lives: the database ranks the records and sends back
/// counts, per-bucket aggregates, the optimal ROC group, the counts at each cutoff asked for and at most
/// `recordCap` ranked records (evenly spaced over the ranking) for the per-record tables. The statistics are
/// the in-memory engine's, computed from those. The id column is required: tied outputs rank by id.
///
/// Every failure (no connection, wrong password, missing or non-numeric column, failing query, a target
/// outside the encoding) is an engine::InputError whose message names the source.
class DatabaseDataset {
public:
    static constexpr std::int64_t defaultRecordCap = 100000;

    /// Connects and checks the columns. `uri` is a database source (see DatabaseSource).
    DatabaseDataset(const std::string& uri, const std::string& idColumn, const std::string& targetColumn,
        const engine::ClassEncoding& encoding);
    ~DatabaseDataset();

    struct Overview {
        std::int64_t records = 0;
        std::int64_t valid = 0;
        std::int64_t positives = 0;
    };
    /// Counts for one output column, after checking it, the targets and the ids.
    Overview overview(const std::string& outputColumn);

    /// The whole analysis of one output column. Throws CalculationError like engine::analyse, and
    /// CalculationCancelled when progress asks to stop (checked between queries).
    engine::Analysis analyse(const std::string& outputColumn, int buckets,
        const engine::ProgressFunction& progress = {}, std::int64_t recordCap = defaultRecordCap);

    /// Fitness and accuracy as engine::computeFitness gives them; the R-square's sums are the database's.
    engine::Fitness fitness(const std::string& outputColumn);

    /// Stops the query under way from another thread: the calculation then ends with CalculationCancelled.
    void cancel();

    /// Rows the database has sent so far, over every query.
    std::int64_t rowsReceived() const;

    /// At most `limit` distinct values of a target column as texts (for choosing an encoding).
    static std::vector<std::string> distinctTargets(
        const std::string& uri, const std::string& targetColumn, std::size_t limit);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace wb::sql
