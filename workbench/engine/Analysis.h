#pragma once

#include "engine/CellTable.h"
#include "engine/RecordIds.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace wb::engine {

class RankedRecords;

/// The scored records of one model in one dataset. NaN outputs are calculation errors.
struct ScoredRecords {
    const std::int32_t* ids = nullptr;
    const std::uint8_t* classes = nullptr;
    const double* outputs = nullptr;
    std::size_t size = 0;
    bool inverted = false;
    /// How the file writes the ids when `ids` are keys standing for them; null when they are the ids.
    std::shared_ptr<const IdTexts> idTexts;
};

/// Progress of a long calculation: called with records done and total at least every 100 ms of work;
/// returns false to cancel.
using ProgressFunction = std::function<bool(std::int64_t done, std::int64_t total)>;

/// A calculation that cannot be made: the message says why, for the user.
class CalculationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Thrown when the progress function asked to cancel.
class CalculationCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "calculation cancelled"; }
};

/// Everything a calculation delivers, in the layouts of docs/data-contract.md. Per-record tables compute
/// their cells from compact data.
struct Analysis {
    int buckets = 0;
    bool inverted = false;
    std::int32_t validRecords = 0; ///< n
    std::int32_t calculationErrors = 0; ///< e
    /// The ids of column 0 of the per-record tables and of thresholdId are keys standing for these texts;
    /// null when they are the ids.
    std::shared_ptr<const IdTexts> idTexts;

    std::shared_ptr<const CellTable> decileResults; ///< 1..B × 0..11
    double trendSlope = -9999, trendIntercept = -9999, trendRSquare = -9999;
    std::array<double, 9> decileStats {};

    std::shared_ptr<const CellTable> rocResults; ///< 0..n+e−1 × 0..15
    double auc = 0;
    std::int32_t thresholdId = 0;
    std::array<double, 16> rocStats {};

    std::shared_ptr<const CellTable> cutoffPoints; ///< 0..n × 0..4

    double logisticCutoff = -99999, logOddsSlope = -9999, logOddsIntercept = -9999, logOddsRSquare = -9999;
    std::shared_ptr<const CellTable> slopeIntercept; ///< 1..B × 0..10
    std::shared_ptr<const CellTable> probabilities; ///< 0..n+e−1 × 0..9
    std::shared_ptr<const CellTable> zerosOnes; ///< 0..n−1 × 0..2
    /// The logistic model behind the probabilities: the fit, or the intercept-only model when it is undefined.
    double probabilitySlope = 0, probabilityIntercept = 0;

    std::shared_ptr<const CellTable> gains; ///< 0..B × 0..13
    double gainsArea = 0, gainsRankingQuality = 0;
    std::shared_ptr<const CellTable> lift; ///< 1..B × 0..4
    std::array<double, 4> liftStats {};

    std::array<std::int32_t, 4> logisticCounts {}; ///< TP, TN, FP, FN
    std::vector<std::array<std::int32_t, 4>> logisticPerBucket; ///< B rows
    std::array<std::int32_t, 4> rocCounts {};
    std::vector<std::array<std::int32_t, 4>> rocPerBucket;
    std::array<double, 14> logisticMatrixStats {};
    std::array<double, 16> rocMatrixStats {};

    /// The valid records in ranking order, which further statistics read without sorting again; null when
    /// the records stayed in a database.
    std::shared_ptr<const RankedRecords> ranked;
};

/// Checks a buckets text: a whole number from 2 to 1000 and at most validRecords. Returns the number,
/// or throws CalculationError with a message that gives the allowed range.
int parseBuckets(const std::string& text, std::int64_t validRecords);

/// The whole calculation for one model and dataset. Throws CalculationError for a dataset of one class
/// or without a valid output, CalculationCancelled when progress asks to stop.
Analysis analyse(const ScoredRecords& records, int buckets, const ProgressFunction& progress = {});

/// Training fitness of a model: R-square = squared correlation of the logistic-fit P(1) with the class,
/// and accuracy = percent correct by most likely class (for runs that lack them).
struct Fitness {
    double rSquare = -1;
    double accuracy = -1;
    double auc = -1; ///< the area under the ROC curve; -1 when it cannot be computed
};
Fitness computeFitness(const ScoredRecords& records, int buckets = 10);

} // namespace wb::engine
