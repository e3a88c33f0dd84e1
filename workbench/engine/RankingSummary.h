#pragma once

#include "engine/Analysis.h"
#include "engine/BucketSummary.h"
#include "engine/LogisticModel.h"

#include <cstdint>
#include <utility>

namespace wb::engine {

/// What the statistics of an analysis are computed from: counts, the bucket summary and the optimal ROC tie
/// group. A ranking held in memory gives it, and so does a database that ranks the records itself.
struct RankingSummary {
    bool inverted = false;
    std::int32_t validRecords = 0; ///< n
    std::int32_t positives = 0;
    std::int32_t calculationErrors = 0;
    BucketSummary buckets;
    /// Twice the Mann–Whitney U over the tie-group points (ties counted half): AUC = twiceU / (2·P·N).
    std::int64_t twiceU = 0;
    std::int32_t optimalBegin = 0, optimalEnd = 0; ///< ranks [begin, end) of the optimal tie group
    double optimalOutput = 0;
    std::int32_t thresholdId = 0; ///< the id ranked first in the optimal group

    std::int32_t negatives() const { return validRecords - positives; }
};

/// The record-level answers an analysis needs beyond its summary, and its per-record tables.
class RankingDetails {
public:
    virtual ~RankingDetails() = default;
    /// Positives among the ranks [low, high); each end is 0, n, a bucket boundary, the optimal group's end or
    /// an end of a run predictedRun returned.
    virtual std::int32_t positivesBetween(std::int64_t low, std::int64_t high) const = 0;
    /// The ranks [from, to) the model predicts class 1: one run, since its class is monotone in the output.
    virtual std::pair<std::int64_t, std::int64_t> predictedRun(const LogisticModel& model) = 0;
    /// Sets the ROC results, cutoff points, probabilities and zeros/ones.
    virtual void addRecordTables(Analysis& a, std::int32_t optimalEnd, const LogisticModel& model) const = 0;
};

/// Every statistic and table of an analysis from a summary and its details; both sources share it, so their
/// results agree to the last bit on the same records.
Analysis assembleAnalysis(const RankingSummary& summary, RankingDetails& details);

} // namespace wb::engine
