#include "ExportedAnalysis.h"

namespace wb {

QString ExportedAnalysis::modelTitle() const
{
    if (modelName.isEmpty())
        return QStringLiteral("Model %1").arg(modelId);
    return QStringLiteral("%1 (id %2)").arg(modelName).arg(modelId);
}

} // namespace wb
