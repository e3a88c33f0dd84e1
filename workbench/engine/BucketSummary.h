#pragma once

#include "engine/RankedRecords.h"

#include <cstdint>
#include <vector>

namespace wb::engine {

class ProgressMeter;

/// The B equal-count buckets over the ranked valid records: the record of rank r lies in bucket
/// floor(B·r/n) + 1, so bucket sizes differ by at most one.
struct BucketSummary {
    int buckets = 0;
    std::vector<std::int32_t> begin; ///< B + 1 rank boundaries; bucket b (0-based) is [begin[b], begin[b+1])
    std::vector<std::int32_t> positives;
    std::vector<double> upper, lower; ///< largest and smallest output
    std::vector<double> x; ///< the bucket's x in the fits: upper boundary, lower when inverted

    static BucketSummary compute(const RankedRecords& ranked, int buckets, ProgressMeter& meter);
    /// The rank boundaries of B buckets over n records: the smallest r with floor(B·r/n) >= b, for b = 0..B.
    static std::vector<std::int32_t> boundaries(std::int64_t n, int buckets);
    /// Sets x from the boundaries: the upper one, the lower one when inverted.
    void setX(bool inverted);

    std::int32_t total(int b) const { return begin[b + 1] - begin[b]; }
    double rate(int b) const { return double(positives[b]) / total(b); }
};

/// Positives among the ranks [from, to).
std::int32_t positivesBetween(const RankedRecords& ranked, std::int64_t from, std::int64_t to);

} // namespace wb::engine
