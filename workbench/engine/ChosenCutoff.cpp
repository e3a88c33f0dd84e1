#include "engine/ChosenCutoff.h"

#include "engine/Analysis.h"
#include "engine/RankedRecords.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace wb::engine {

namespace {
    constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

    const char* const allowedRules
        = "Allowed: youden, logistic, sensitivity=X or specificity=X with X from 0 to 1, top=K% with K above 0 "
          "and at most 100, cost=A:B with costs of a false positive and a false negative that are not negative and "
          "not both 0, or an output value.";

    std::string trimmed(const std::string& text)
    {
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string::npos)
            return {};
        return text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }

    std::string lowered(std::string text)
    {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return text;
    }

    /// The whole text as a finite number, or nothing.
    bool readNumber(const std::string& text, double& value)
    {
        const char* first = text.data();
        const char* last = first + text.size();
        if (first != last && *first == '+')
            ++first;
        const auto [end, error] = std::from_chars(first, last, value);
        return error == std::errc() && end == last && first != last && std::isfinite(value);
    }

    std::string numberText(double value)
    {
        char buffer[32];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
        return error == std::errc() ? std::string(buffer, end) : std::string("NaN");
    }

    [[noreturn]] void refuse(const std::string& text, const std::string& why)
    {
        throw CalculationError("The cutoff rule \"" + text + "\" " + why + " " + allowedRules);
    }

    double ratio(double numerator, double denominator)
    {
        return denominator != 0 ? numerator / denominator : notANumber;
    }

    /// The first group in ranking order for which `meets` holds, assuming it holds for every later group too.
    template <class Predicate> std::int64_t firstGroup(const RankedGroups& groups, Predicate meets)
    {
        std::int64_t low = 0, high = groups.groupCount();
        while (low < high) {
            const std::int64_t middle = low + (high - low) / 2;
            if (meets(middle))
                high = middle;
            else
                low = middle + 1;
        }
        return low;
    }

    /// Records predicted class 1 at a cutoff value that need not be an output: every record at or above it (at
    /// or below, inverted). Returns the number of groups that qualify.
    std::int64_t groupsAtValue(const RankedGroups& groups, double cutoff)
    {
        const bool inverted = groups.inverted();
        return firstGroup(groups, [&](std::int64_t g) {
            const double output = groups.groupOutput(g);
            return inverted ? output > cutoff : output < cutoff;
        });
    }

    class EngineGroups : public RankedGroups {
    public:
        explicit EngineGroups(std::shared_ptr<const RankedRecords> ranked)
            : m_ranked(std::move(ranked))
        {
        }
        std::int64_t groupCount() const override { return m_ranked->groups(); }
        double groupOutput(std::int64_t g) const override
        {
            return m_ranked->output(m_ranked->groupBegin(std::int32_t(g)));
        }
        std::int64_t predictedPositive(std::int64_t g) const override { return m_ranked->groupEnd(std::int32_t(g)); }
        std::int64_t truePositives(std::int64_t g) const override { return m_ranked->groupPositives(std::int32_t(g)); }
        std::int64_t positives() const override { return m_ranked->positives(); }
        std::int64_t negatives() const override { return m_ranked->negatives(); }
        bool inverted() const override { return m_ranked->inverted(); }

    private:
        std::shared_ptr<const RankedRecords> m_ranked;
    };
} // namespace

std::string CutoffRule::text() const
{
    switch (kind) {
    case Kind::Youden:
        return "youden";
    case Kind::Logistic:
        return "logistic";
    case Kind::Sensitivity:
        return "sensitivity=" + numberText(value);
    case Kind::Specificity:
        return "specificity=" + numberText(value);
    case Kind::Top:
        return "top=" + numberText(value) + "%";
    case Kind::Cost:
        return "cost=" + numberText(falsePositiveCost) + ":" + numberText(falseNegativeCost);
    case Kind::Value:
        return numberText(value);
    }
    return {};
}

CutoffRule parseCutoffRule(const std::string& written)
{
    const std::string text = trimmed(written);
    const std::string lower = lowered(text);
    CutoffRule rule;
    if (lower == "youden")
        return rule;
    if (lower == "logistic") {
        rule.kind = CutoffRule::Kind::Logistic;
        return rule;
    }
    if (readNumber(text, rule.value)) {
        rule.kind = CutoffRule::Kind::Value;
        return rule;
    }
    const auto equals = lower.find('=');
    if (equals == std::string::npos)
        refuse(text, "is not a rule.");
    const std::string name = trimmed(lower.substr(0, equals));
    std::string argument = trimmed(lower.substr(equals + 1));
    if (name == "sensitivity" || name == "specificity") {
        rule.kind = name == "sensitivity" ? CutoffRule::Kind::Sensitivity : CutoffRule::Kind::Specificity;
        if (!readNumber(argument, rule.value) || rule.value < 0 || rule.value > 1)
            refuse(text, "asks for a " + name + " that is not a number from 0 to 1.");
        return rule;
    }
    if (name == "top") {
        rule.kind = CutoffRule::Kind::Top;
        if (!argument.empty() && argument.back() == '%')
            argument = trimmed(argument.substr(0, argument.size() - 1));
        if (!readNumber(argument, rule.value) || rule.value <= 0 || rule.value > 100)
            refuse(text, "asks for a share of records that is not above 0 % and at most 100 %.");
        return rule;
    }
    if (name == "cost") {
        rule.kind = CutoffRule::Kind::Cost;
        const auto colon = argument.find(':');
        if (colon == std::string::npos || !readNumber(trimmed(argument.substr(0, colon)), rule.falsePositiveCost)
            || !readNumber(trimmed(argument.substr(colon + 1)), rule.falseNegativeCost) || rule.falsePositiveCost < 0
            || rule.falseNegativeCost < 0 || (rule.falsePositiveCost == 0 && rule.falseNegativeCost == 0))
            refuse(text, "does not give two costs A:B that are not negative and not both 0.");
        return rule;
    }
    refuse(text, "is not a rule.");
}

std::unique_ptr<RankedGroups> rankedGroups(std::shared_ptr<const RankedRecords> ranked)
{
    return std::make_unique<EngineGroups>(std::move(ranked));
}

ChosenCutoff chooseCutoff(
    const RankedGroups& groups, const CutoffRule& rule, double youdenCutoff, double logisticCutoff)
{
    const std::int64_t count = groups.groupCount();
    const double positives = double(groups.positives()), negatives = double(groups.negatives());
    if (count == 0)
        throw CalculationError("There are no valid records to choose a cutoff from.");
    const auto falsePositives = [&](std::int64_t g) { return groups.predictedPositive(g) - groups.truePositives(g); };

    ChosenCutoff chosen;
    chosen.rule = rule;
    // Groups that qualify: the records of groups 0..qualifying-1 are predicted class 1.
    std::int64_t qualifying = 0;
    switch (rule.kind) {
    case CutoffRule::Kind::Youden:
        chosen.cutoff = youdenCutoff;
        qualifying = groupsAtValue(groups, chosen.cutoff);
        break;
    case CutoffRule::Kind::Logistic:
        if (logisticCutoff == lrv::kNoCutoffPoint)
            throw CalculationError("The logistic fit of this model gives no cutoff point (its slope is 0 or "
                                   "undefined); choose another rule.");
        chosen.cutoff = logisticCutoff;
        qualifying = groupsAtValue(groups, chosen.cutoff);
        break;
    case CutoffRule::Kind::Value:
        chosen.cutoff = rule.value;
        qualifying = groupsAtValue(groups, chosen.cutoff);
        break;
    case CutoffRule::Kind::Sensitivity:
        qualifying
            = 1 + firstGroup(groups, [&](std::int64_t g) { return groups.truePositives(g) / positives >= rule.value; });
        break;
    case CutoffRule::Kind::Specificity: {
        // Specificity falls as the cutoff moves down the ranking: the last group that still reaches it.
        const std::int64_t failing = firstGroup(
            groups, [&](std::int64_t g) { return (negatives - falsePositives(g)) / negatives < rule.value; });
        if (failing == 0)
            throw CalculationError("No threshold reaches a specificity of " + numberText(rule.value)
                + ": the strictest one gives " + numberText((negatives - falsePositives(0)) / negatives) + ".");
        qualifying = failing;
        break;
    }
    case CutoffRule::Kind::Top: {
        // The record at rank ceil(K·n/100), 1-based; a product that is whole up to rounding counts as whole.
        const double wanted = rule.value * (positives + negatives) / 100;
        const double nearest = std::round(wanted);
        const double rank = std::abs(wanted - nearest) <= 1e-9 * std::max(1.0, wanted) ? nearest : std::ceil(wanted);
        qualifying
            = 1 + firstGroup(groups, [&](std::int64_t g) { return double(groups.predictedPositive(g)) >= rank; });
        break;
    }
    case CutoffRule::Kind::Cost: {
        double best = std::numeric_limits<double>::infinity();
        for (std::int64_t g = 0; g < count; ++g) {
            const double fn = positives - double(groups.truePositives(g));
            const double cost = rule.falsePositiveCost * double(falsePositives(g)) + rule.falseNegativeCost * fn;
            if (cost < best) {
                best = cost;
                qualifying = g + 1;
            }
        }
        break;
    }
    }
    qualifying = std::clamp<std::int64_t>(qualifying, 0, count);
    const bool byValue = rule.kind == CutoffRule::Kind::Youden || rule.kind == CutoffRule::Kind::Logistic
        || rule.kind == CutoffRule::Kind::Value;
    if (!byValue)
        chosen.cutoff = groups.groupOutput(qualifying - 1);
    else {
        const double first = groups.groupOutput(0), last = groups.groupOutput(count - 1);
        chosen.outsideOutputs = chosen.cutoff < std::min(first, last) || chosen.cutoff > std::max(first, last);
    }

    const std::int64_t tp = qualifying ? groups.truePositives(qualifying - 1) : 0;
    const std::int64_t fp = qualifying ? falsePositives(qualifying - 1) : 0;
    chosen.tp = tp;
    chosen.fp = fp;
    chosen.fn = groups.positives() - tp;
    chosen.tn = groups.negatives() - fp;
    const double TP = double(chosen.tp), FP = double(chosen.fp), TN = double(chosen.tn), FN = double(chosen.fn);
    chosen.sensitivity = ratio(TP, positives);
    chosen.specificity = ratio(TN, negatives);
    chosen.ppv = ratio(TP, TP + FP);
    chosen.npv = ratio(TN, TN + FN);
    chosen.accuracy = ratio(TP + TN, positives + negatives);
    chosen.f1 = ratio(2 * TP, 2 * TP + FP + FN);
    // Matthews correlation; NaN where a margin of the matrix is empty.
    chosen.mcc = ratio(TP * TN - FP * FN, std::sqrt((TP + FP) * (TP + FN) * (TN + FP) * (TN + FN)));
    chosen.expectedCost
        = rule.kind == CutoffRule::Kind::Cost ? rule.falsePositiveCost * FP + rule.falseNegativeCost * FN : notANumber;
    return chosen;
}

} // namespace wb::engine
