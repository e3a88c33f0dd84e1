#pragma once

#include <cstdint>
#include <string>

/// Every SQL text the analysis of a database source sends, in one place. They use standard SQL and window
/// functions only; docs/postgres.md says what a port to another SQL engine needs.
namespace wb::sql::Queries {

/// What the queries read: a relation and its columns, and how the target names class 1.
struct Scored {
    std::string relation; ///< SQL text giving the records
    std::string id, target, output; ///< quoted column names
    std::string classOne; ///< the target value of class 1, as an SQL literal
    std::string classZero;
    bool inverted = false; ///< rank ascending: the model represents class 1 by low outputs
};

/// An exact SQL literal of a double (the shortest text that reads back as the same double).
std::string doubleLiteral(double value);

/// No rows; its columns name and type the relation's columns.
std::string describe(const std::string& relation);

/// One row: records, valid records, positives among them, records whose target is neither class, records
/// without an id, and the smallest and largest id.
std::string overview(const Scored& s);

/// The first record (by id) whose target is neither class: id, target.
std::string badTarget(const Scored& s);

/// The calculation-error records, id and class, by id, at most `limit`.
std::string errorRecords(const Scored& s, std::int64_t limit);

/// The optimal ROC tie group (largest TP·N − FP·P, the first in ranking order on equal values): its output,
/// its records, its first id, TP and the rank one past it, and twice the Mann–Whitney U of the whole curve.
std::string rocOptimum(const Scored& s, std::int64_t positives, std::int64_t negatives);

/// Per bucket (floor(B·(rank − 1)/n) + 1): bucket, records, positives, largest and smallest output.
std::string buckets(const Scored& s, int buckets, std::int64_t validRecords);

/// Records and positives predicted class 1 at a cutoff: output >= cutoff, or output < cutoff when `below`.
std::string countsAtCutoff(const Scored& s, double cutoff, bool below);

/// `size` ranked valid records (2 <= size <= n) spread evenly from the first to the last: rank, id, class, output,
/// and the positives and records ranked up to the end of its tie group.
std::string rankedSample(const Scored& s, std::int64_t size, std::int64_t validRecords);

/// At most `limit` distinct target values.
std::string distinctTargets(const std::string& relation, const std::string& target, std::int64_t limit);

/// Sums over the valid records of p, p², y and p·y, p = 1 / (1 + e^−(slope·output + intercept)), y the class:
/// the correlation of the logistic fit's P(1) with the class.
std::string probabilitySums(const Scored& s, double slope, double intercept);

} // namespace wb::sql::Queries
