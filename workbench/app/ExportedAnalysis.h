#pragma once

#include "engine/Analysis.h"
#include "engine/ChosenCutoff.h"
#include "engine/Uncertainty.h"

#include <optional>

#include <QString>

namespace wb {

/// What an export is about: the model and dataset the window showed, and the engine's figures for them.
struct ExportedAnalysis {
    int modelId = 0;
    QString modelName;
    int dataSet = 1; ///< 1 training, 2 validation
    engine::Analysis analysis;
    /// The operating point the export was asked for and the uncertainty figures; both need the ranked
    /// records in memory, which a database run does not keep.
    std::optional<engine::ChosenCutoff> chosen;
    std::optional<engine::Uncertainty> uncertainty;

    QString dataSetName() const { return dataSet == 2 ? QStringLiteral("validation") : QStringLiteral("training"); }
    /// "name (id N)", or "Model N" for a model without a name.
    QString modelTitle() const;
};

} // namespace wb
