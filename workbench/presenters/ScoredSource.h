#pragma once

#include "engine/Analysis.h"

#include <cstdint>
#include <memory>

#include <QString>

namespace wb {

class Model;
class Run;

/// The scored records of one model in one dataset of a run, wherever they live: read from a CSV file into
/// memory, or left in a database that runs the analysis itself.
class ScoredSource {
public:
    virtual ~ScoredSource() = default;

    std::int64_t validRecords() const { return m_valid; }
    std::int64_t positives() const { return m_positives; }
    /// The CSV path or database source, for messages.
    const QString& location() const { return m_location; }

    /// The analysis. `progress` is called on the calling thread, which keeps processing its events while a
    /// database works.
    virtual engine::Analysis analyse(int buckets, const engine::ProgressFunction& progress) const = 0;

    /// Opens the model's records in dataset 1 or 2 (the run has it). Throws engine::InputError for a bad file,
    /// an unreachable database, a missing column and the like.
    static std::unique_ptr<ScoredSource> open(const Run& run, int dataSet, const Model& model);

protected:
    std::int64_t m_valid = 0, m_positives = 0;
    QString m_location;
};

} // namespace wb
