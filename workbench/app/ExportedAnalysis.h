#pragma once

#include "engine/Analysis.h"

#include <QString>

namespace wb {

/// What an export is about: the model and dataset the window showed, and the engine's figures for them.
struct ExportedAnalysis {
    int modelId = 0;
    QString modelName;
    int dataSet = 1; ///< 1 training, 2 validation
    engine::Analysis analysis;

    QString dataSetName() const { return dataSet == 2 ? QStringLiteral("validation") : QStringLiteral("training"); }
    /// "name (id N)", or "Model N" for a model without a name.
    QString modelTitle() const;
};

} // namespace wb
