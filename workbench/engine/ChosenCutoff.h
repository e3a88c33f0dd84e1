#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace wb::engine {

class RankedRecords;

/// How the user picks the operating point of a model: a rule, or an output value typed as it is.
struct CutoffRule {
    enum class Kind { Youden, Logistic, Sensitivity, Specificity, Top, Cost, Value };
    Kind kind = Kind::Youden;
    double value = 0; ///< the sensitivity or specificity (0..1), the top share in percent, or the typed output
    double falsePositiveCost = 0, falseNegativeCost = 0;

    /// The rule in the form it is written and parsed: "youden", "sensitivity=0.9", "top=10%", "cost=1:5", "0.42".
    std::string text() const;
};

/// Reads "youden", "logistic", "sensitivity=X", "specificity=X" (X from 0 to 1), "top=K%" (K above 0, at most
/// 100), "cost=A:B" (costs of a false positive and a false negative, not negative, not both 0) or a number.
/// Throws CalculationError with a message that names what is allowed.
CutoffRule parseCutoffRule(const std::string& text);

/// The tie groups of a ranking, which is all a cutoff rule needs: for every group in ranking order its
/// output, how many records rank up to its end (predicted class 1 at its cutoff) and how many of them are
/// positives. The in-memory engine and a database answer this alike.
class RankedGroups {
public:
    virtual ~RankedGroups() = default;
    virtual std::int64_t groupCount() const = 0;
    virtual double groupOutput(std::int64_t g) const = 0;
    virtual std::int64_t predictedPositive(std::int64_t g) const = 0;
    virtual std::int64_t truePositives(std::int64_t g) const = 0;
    virtual std::int64_t positives() const = 0;
    virtual std::int64_t negatives() const = 0;
    /// Class 1 is represented by low outputs: ranking is ascending, a record is predicted class 1 at or below
    /// a cutoff.
    virtual bool inverted() const = 0;
};

/// The groups of the in-memory engine's ranking.
std::unique_ptr<RankedGroups> rankedGroups(std::shared_ptr<const RankedRecords> ranked);

/// The operating point a rule gives, with its confusion matrix and the measures built on it.
struct ChosenCutoff {
    CutoffRule rule;
    double cutoff = 0;
    bool outsideOutputs = false; ///< a typed value beyond the outputs' range: every or no record is predicted class 1
    std::int64_t tp = 0, fp = 0, tn = 0, fn = 0;
    double sensitivity = 0, specificity = 0, ppv = 0, npv = 0, accuracy = 0, f1 = 0, mcc = 0;
    double expectedCost = 0; ///< A·FP + B·FN for a cost rule, NaN otherwise
};

/// Applies a rule. Youden and logistic take their cutoffs from the analysis (the logistic one is lrv::kNoCutoffPoint
/// when the fit gives none). Candidate thresholds are the distinct outputs; "highest" and "lowest" thresholds are meant
/// in ranking order, so with inverted classes the strictest threshold is the lowest output. Throws CalculationError
/// when the rule cannot be met.
ChosenCutoff chooseCutoff(
    const RankedGroups& groups, const CutoffRule& rule, double youdenCutoff, double logisticCutoff);

} // namespace wb::engine
