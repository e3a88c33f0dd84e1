#pragma once

// The layout of every result the statistics engine delivers to the views: the columns of each table, the
// elements of each statistics vector and the markers. The engine writes through these names and the views
// read through them, so a column is numbered in one place only. Plain C++: the engine includes it too.

#include <array>
#include <cstddef>
#include <type_traits>

namespace lrv {

/// A slope, intercept or R² of a fit that could not be made (fewer than two distinct x; R² also when every y
/// is equal).
inline constexpr double kUndefinedFit = -9999;
/// The logistic cutoff point when the log-odds slope is 0 or undefined.
inline constexpr double kNoCutoffPoint = -99999;
/// A column without meaning in a calculation-error row.
inline constexpr double kNotApplicable = -1;

/// Decile results, rows 1..B.
enum class DecileColumn {
    Bucket,
    UpperBoundary,
    LowerBoundary,
    Positives,
    Negatives,
    Total,
    Rate, ///< positives / total, 0..1
    PositivePercent,
    NegativeFraction,
    NegativePercent,
    CumulativePositives, ///< buckets 1..b
    CumulativePositivePercent, ///< as % of all positives
    Last = CumulativePositivePercent
};

/// The decile statistics; the first four are also the general statistics.
enum class DecileStat {
    Records, ///< valid records n
    Buckets,
    Positives,
    Negatives,
    PositiveRate, ///< P / n
    CalculationErrors,
    SpreadTopToBottom, ///< rate(1) − rate(B)
    SpreadTopToMiddle, ///< rate(1) − rate(⌈B/2⌉)
    SpreadMiddleToBottom, ///< (rate(⌈B/2⌉) − rate(B)) / (rate(1) − rate(B))
    Last = SpreadMiddleToBottom
};

/// The slope/intercept (log odds) table, rows 1..B.
enum class LogOddsColumn {
    Bucket,
    UpperBoundary,
    LowerBoundary,
    Positives,
    Negatives,
    Total,
    PositivePercent,
    NegativePercent,
    Odds,
    LogOdds,
    FittedLogOdds, ///< the fitted line at the bucket's x; kUndefinedFit without a fit
    Last = FittedLogOdds
};

/// The gains table, rows 0..B; row 0 is the origin.
enum class GainsColumn {
    Bucket,
    UpperBoundary,
    LowerBoundary,
    Negatives,
    Positives,
    Rate,
    Lift,
    CumulativePositives,
    CumulativeRate,
    CumulativePositivePercent, ///< the gain
    CumulativeLift,
    CumulativeNegatives,
    Total,
    CumulativePopulationPercent,
    Last = CumulativePopulationPercent
};

/// The lift table, rows 1..B.
enum class LiftColumn {
    CumulativePopulationPercent,
    RandomLift,
    IdealLift, ///< 1 / p in every row
    Lift,
    CumulativeLift,
    Last = CumulativeLift
};

/// The lift statistics.
enum class LiftStat {
    AreaBetweenCurves, ///< cumulative lift area − random area
    CumulativeLiftArea,
    LiftArea,
    RankingQuality,
    Last = RankingQuality
};

/// The ROC results, one row per record: the calculation-error rows first (kNotApplicable where a column has
/// no meaning), then the valid records in ranking order.
enum class RocColumn {
    Id,
    Target,
    Output,
    TruePositives, ///< the counts with the cutoff at this record's tie group
    TrueNegatives,
    FalsePositives,
    FalseNegatives,
    Specificity, ///< TNR
    Sensitivity, ///< TPR
    FalsePositiveRate,
    FalseNegativeRate,
    Youden, ///< TPR + TNR − 1
    ErrorFlag, ///< 1 in a calculation-error row
    PredictedClass, ///< at the optimal cutoff
    Match,
    Outcome, ///< an Outcome at the optimal cutoff
    Last = Outcome
};

/// The ROC statistics, at the optimal (Youden) cutoff.
enum class RocStat {
    Auc,
    Youden,
    Cutoff, ///< the output at the optimal cutoff
    Correct,
    Wrong,
    Total,
    TruePositives,
    TrueNegatives,
    FalsePositives,
    FalseNegatives,
    TruePositiveRate,
    TrueNegativeRate,
    FalsePositiveRate,
    FalseNegativeRate,
    PositivePredictiveValue,
    NegativePredictiveValue,
    Last = NegativePredictiveValue
};

/// The cutoff points, rows 0..n: the valid records in ascending output order.
enum class CutoffColumn {
    Output,
    TruePositiveRate,
    TrueNegativeRate,
    FalsePositiveRate,
    FalseNegativeRate,
    Last = FalseNegativeRate
};

/// The probabilities of the logistic model, one row per record: the calculation-error rows first, then the
/// valid records in ascending output order.
enum class ProbabilityColumn {
    Id,
    Target,
    Output,
    LogOdds,
    OddsRatio,
    ProbabilityOne,
    ProbabilityZero,
    MostLikelyClass,
    Match,
    ErrorFlag,
    Last = ErrorFlag
};

/// The zeros and ones of the logistic fit chart, rows 0..n−1 in ascending output order.
enum class ZerosOnesColumn {
    Level, ///< the class as the point's height
    Output,
    Class,
    Last = Class
};

/// The four outcomes of a prediction: the order of every count array [TP, TN, FP, FN], of the columns of the
/// per-bucket counts, and the codes of RocColumn::Outcome.
enum class Outcome { TruePositive, TrueNegative, FalsePositive, FalseNegative, Last = FalseNegative };

/// The confusion-matrix statistics; the ROC matrix adds the last two.
enum class MatrixStat {
    Correct,
    Wrong,
    Total,
    TruePositives,
    FalseNegatives,
    FalsePositives,
    TrueNegatives,
    Accuracy, ///< correct / total, 0..1
    TruePositiveRate,
    FalseNegativeRate,
    FalsePositiveRate,
    TrueNegativeRate,
    PositivePredictiveValue,
    NegativePredictiveValue,
    Youden, ///< ROC matrix only
    Cutoff, ///< ROC matrix only: the output at the optimal cutoff
    Last = Cutoff
};

/// How many entries a layout has.
template <class Layout> inline constexpr int kCountOf = static_cast<int>(Layout::Last) + 1;
/// The logistic matrix statistics stop before the ROC-only entries.
inline constexpr int kLogisticMatrixStatCount = static_cast<int>(MatrixStat::Youden);

/// The number of a column or element.
template <class Layout>
requires std::is_enum_v<Layout>
constexpr int index(Layout entry) { return static_cast<int>(entry); }

/// A cell of any table with at(row, column), the views' tables and builders alike.
template <class Table, class Layout>
requires std::is_enum_v<Layout>
decltype(auto) at(const Table& table, int row, Layout column) { return table.at(row, index(column)); }

/// An element of a statistics array of the engine.
template <class T, std::size_t N, class Layout>
requires std::is_enum_v<Layout>
constexpr T& at(std::array<T, N>& values, Layout entry) { return values[std::size_t(index(entry))]; }

template <class T, std::size_t N, class Layout>
requires std::is_enum_v<Layout>
constexpr const T& at(const std::array<T, N>& values, Layout entry) { return values[std::size_t(index(entry))]; }

/// An element of a statistics vector of the views, whatever its lower bound.
template <class Vector, class Layout>
requires std::is_enum_v<Layout> && requires(const Vector& values) { values.low(); }
decltype(auto) at(const Vector& values, Layout entry) { return values.at(values.low() + index(entry)); }

} // namespace lrv
