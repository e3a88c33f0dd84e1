#pragma once

#include "host/ResultLayout.h"

#include <array>
#include <cstdint>

#include <QString>

/// The texts of the confusion matrix table, as counts or as shares of all cases.
namespace lrv::ConfusionMatrixTable {

/// Counts in the order of lrv::Outcome.
using Counts = std::array<std::int64_t, kCountOf<Outcome>>;

struct Texts {
    std::array<QString, kCountOf<Outcome>> values; ///< TP, TN, FP, FN cells: "40 (TP)"
    std::array<QString, 5> totals; ///< positive predictions, negative predictions, actual positives,
                                   ///< actual negatives, grand total
    std::array<QString, 2> titles; ///< correct, wrong
};

/// Every number n of the table as text; in percentages n / N with two decimals, where N is the grand total
/// and 1 when that is 0, so an empty matrix shows 0.00%.
Texts texts(const Counts& counts, bool percentages);

} // namespace lrv::ConfusionMatrixTable
