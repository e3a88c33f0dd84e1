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

/// Everything the ranking gives, from one sort, as rows (kind, a, b, c, d, e, x, y) ordered by kind and a:
/// - kind 1, per bucket floor(B·(rank − 1)/n) + 1: a bucket, b records, c positives, x largest and y smallest
///   output;
/// - kind 2, the optimal ROC tie group (largest TP·N − FP·P, the first in ranking order on equal values): a its
///   records, b its first id, c TP and d the rank one past it, e twice the Mann–Whitney U of the whole curve,
///   x its output;
/// - kind 3, `sampleSize` ranked records (2 <= size <= n) spread evenly from the first to the last: a rank,
///   b id, c class, d the positives and e the records ranked up to the end of its tie group, x output.
std::string rankingResults(
    const Scored& s, int buckets, std::int64_t positives, std::int64_t validRecords, std::int64_t sampleSize);

/// Records and positives predicted class 1 at a cutoff: output >= cutoff, or output < cutoff when `below`.
std::string countsAtCutoff(const Scored& s, double cutoff, bool below);

/// At most `limit` distinct target values.
std::string distinctTargets(const std::string& relation, const std::string& target, std::int64_t limit);

/// Sums over the valid records of p, p², y and p·y, p = 1 / (1 + e^−(slope·output + intercept)), y the class:
/// the correlation of the logistic fit's P(1) with the class.
std::string probabilitySums(const Scored& s, double slope, double intercept);

} // namespace wb::sql::Queries
