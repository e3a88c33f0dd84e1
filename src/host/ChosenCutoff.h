#pragma once

#include "host/HostObject.h"

#include <cstdint>
#include <limits>
#include <optional>

#include <QString>

namespace lrv {

/// The operating point the user chose for the analysed model and dataset, as the host computed it: records
/// with output at or above the cutoff are predicted class 1 (at or below it when the classes are inverted).
struct ChosenCutoffFigures {
    QString rule; ///< as written and kept: "youden", "logistic", "sensitivity=0.9", "top=10%", "cost=1:5", "0.42"
    double cutoff = 0;
    bool outsideOutputs = false; ///< a typed value beyond the outputs: every or no record is predicted class 1
    /// The id of the first record of the last tie group predicted class 1, as the per-record tables write
    /// it; nothing when no record is.
    std::optional<std::int32_t> thresholdId;
    std::int64_t tp = 0, fp = 0, tn = 0, fn = 0;
    double sensitivity = 0, specificity = 0, ppv = 0, npv = 0, accuracy = 0, f1 = 0, mcc = 0;
    /// A·FP + B·FN for a cost rule; NaN otherwise.
    double expectedCost = std::numeric_limits<double>::quiet_NaN();

    std::int64_t records() const { return tp + fp + tn + fn; }
    /// The share of the records predicted class 1, from 0 to 1.
    double predictedPositiveShare() const { return records() > 0 ? double(tp + fp) / double(records()) : 0; }
    double falsePositiveRate() const { return 1 - specificity; }
};

/// The calculation presenter as the window moves the chosen cutoff: it answers from the results of its
/// calculation and keeps the rule in the run's parameters for that model and dataset.
class ICutoffListener : public virtual HostObject {
public:
    /// Applies a rule or an output value (texts as ChosenCutoffFigures::rule) and returns its figures.
    /// Throws lrv::Error with a message that names what is allowed when the rule cannot be met; the rule
    /// kept before stays then.
    virtual ChosenCutoffFigures ChooseCutoff(const QString& rule) = 0;
};

} // namespace lrv
