#pragma once

#include "engine/Analysis.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace wb::engine {

class RankedRecords;

/// A two-sided 95 % interval; NaN ends when it cannot be estimated.
struct Interval95 {
    double low = std::numeric_limits<double>::quiet_NaN();
    double high = std::numeric_limits<double>::quiet_NaN();
};

/// The AUC with DeLong's variance and the normal 95 % interval AUC ± z·√variance, its ends clipped to [0, 1].
/// A class of a single record leaves variance and interval NaN.
struct AucInterval {
    double auc = 0;
    double variance = std::numeric_limits<double>::quiet_NaN();
    Interval95 ci95;
};

/// DeLong's placement values of one model's valid records: for each positive the share of negatives it
/// outranks, for each negative the share of positives that outrank it, ties counted half. Each class keeps
/// the order of the records, so that two models scoring the same records pair their values by position.
struct DelongPlacements {
    double auc = 0;
    std::vector<double> positives;
    std::vector<double> negatives;
};

/// Placement values by midranks of the tie groups after one sort of the outputs, O(n log n). Calculation
/// errors are left out; inverted records rank low outputs first. Throws CalculationError when the valid
/// records lack a class.
DelongPlacements delongPlacements(const ScoredRecords& records);

AucInterval delongInterval(const DelongPlacements& placements);
/// The same interval from records already ranked, in O(tie groups): no sort.
AucInterval delongInterval(const RankedRecords& ranked);
/// The same interval straight from the records, with no placement values kept: each class's outputs sorted
/// apart, O(n log n). Throws CalculationError when the valid records lack a class.
AucInterval delongInterval(const ScoredRecords& records);

/// DeLong's paired test of two models' AUC on the same records.
struct PairedAucTest {
    double difference = 0; ///< AUC(a) − AUC(b)
    double standardError = std::numeric_limits<double>::quiet_NaN();
    Interval95 ci95; ///< of the difference, not clipped
    double p = std::numeric_limits<double>::quiet_NaN(); ///< two-sided; 1 when both the difference and its error are 0
};

/// Both placements must come from the same records in the same order; throws std::invalid_argument when
/// their class sizes differ.
PairedAucTest delongPairedTest(const DelongPlacements& a, const DelongPlacements& b);

} // namespace wb::engine
