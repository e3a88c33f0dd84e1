#pragma once

#include "engine/ChosenCutoff.h"
#include "host/ChosenCutoff.h"

#include <memory>

namespace wb {

namespace engine {
    struct Analysis;
}
class RunParameters;

/// The chosen cutoff of one analysis: its tie groups are taken once, so that a move of the cutoff is a
/// binary search over them; the rule is kept in the run's parameters under the model and dataset. An
/// analysis whose records stayed in a database offers Youden's cutoff only, from its counts.
class CutoffChooser {
public:
    CutoffChooser(
        const engine::Analysis& analysis, std::shared_ptr<RunParameters> parameters, int modelId, int dataSet);

    /// The key of the rule in the run's parameters; absent means the Youden cutoff.
    static QString parameterKey(int modelId, int dataSet);
    /// The rule the run keeps for this model and dataset.
    QString keptRule() const { return keptRule(m_parameters.get(), m_key); }
    static QString keptRule(const RunParameters* parameters, int modelId, int dataSet)
    {
        return keptRule(parameters, parameterKey(modelId, dataSet));
    }
    /// Applies a rule without keeping it; throws lrv::Error naming what is allowed.
    lrv::ChosenCutoffFigures figures(const QString& rule) const;
    /// Applies a rule and keeps it in the run's parameters; throws lrv::Error and keeps nothing when the
    /// rule cannot be met.
    lrv::ChosenCutoffFigures choose(const QString& rule);

private:
    static QString keptRule(const RunParameters* parameters, const QString& key);

    std::shared_ptr<const engine::RankedRecords> m_ranked;
    std::unique_ptr<engine::RankedGroups> m_groups;
    double m_youdenCutoff;
    double m_logisticCutoff;
    std::int32_t m_youdenThresholdId;
    std::shared_ptr<RunParameters> m_parameters;
    QString m_key;
};

} // namespace wb
