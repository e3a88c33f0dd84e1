#pragma once

#include "engine/CellTable.h"
#include "engine/RecordIds.h"
#include "host/ResultLayout.h"

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

/// The records of each lrv::Outcome.
using OutcomeCounts = std::array<std::int32_t, lrv::kCountOf<lrv::Outcome>>;

/// Everything a calculation delivers, in the layouts of host/ResultLayout.h (described in docs/data-contract.md).
/// Per-record tables compute their cells from compact data.
struct Analysis {
    int buckets = 0;
    bool inverted = false;
    std::int32_t validRecords = 0; ///< n
    std::int32_t calculationErrors = 0; ///< e
    /// The ids of column 0 of the per-record tables and of thresholdId are keys standing for these texts;
    /// null when they are the ids.
    std::shared_ptr<const IdTexts> idTexts;

    std::shared_ptr<const CellTable> decileResults; ///< 1..B × DecileColumn
    double trendSlope = lrv::kUndefinedFit, trendIntercept = lrv::kUndefinedFit, trendRSquare = lrv::kUndefinedFit;
    std::array<double, lrv::kCountOf<lrv::DecileStat>> decileStats {};

    std::shared_ptr<const CellTable> rocResults; ///< 0..n+e−1 × RocColumn
    double auc = 0;
    std::int32_t thresholdId = 0;
    std::array<double, lrv::kCountOf<lrv::RocStat>> rocStats {};

    std::shared_ptr<const CellTable> cutoffPoints; ///< 0..n × CutoffColumn

    double logisticCutoff = lrv::kNoCutoffPoint;
    double logOddsSlope = lrv::kUndefinedFit, logOddsIntercept = lrv::kUndefinedFit,
           logOddsRSquare = lrv::kUndefinedFit;
    std::shared_ptr<const CellTable> slopeIntercept; ///< 1..B × LogOddsColumn
    std::shared_ptr<const CellTable> probabilities; ///< 0..n+e−1 × ProbabilityColumn
    std::shared_ptr<const CellTable> zerosOnes; ///< 0..n−1 × ZerosOnesColumn
    /// The logistic model behind the probabilities: the fit, or the intercept-only model when it is undefined.
    double probabilitySlope = 0, probabilityIntercept = 0;

    std::shared_ptr<const CellTable> gains; ///< 0..B × GainsColumn
    double gainsArea = 0, gainsRankingQuality = 0;
    std::shared_ptr<const CellTable> lift; ///< 1..B × LiftColumn
    std::array<double, lrv::kCountOf<lrv::LiftStat>> liftStats {};

    OutcomeCounts logisticCounts {};
    std::vector<OutcomeCounts> logisticPerBucket; ///< B rows
    OutcomeCounts rocCounts {};
    std::vector<OutcomeCounts> rocPerBucket;
    std::array<double, lrv::kLogisticMatrixStatCount> logisticMatrixStats {}; ///< MatrixStat up to the ROC-only ones
    std::array<double, lrv::kCountOf<lrv::MatrixStat>> rocMatrixStats {};

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
