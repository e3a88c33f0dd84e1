#include "run/RunStore.h"

#include "run/RunFile.h"
#include "support/Error.h"

namespace wb {

namespace {
    const QString analysisPrefix = QStringLiteral("set_lr#");

    DataSetRecord& dataSetOf(RunDocument& document, const QString& runPath, int dataSet)
    {
        if (dataSet < 1 || dataSet > 2)
            throw lrv::Error(
                QStringLiteral("Dataset %1 does not exist: use 1 (training) or 2 (validation).").arg(dataSet));
        auto& record = document.dataSets[std::size_t(dataSet - 1)];
        if (!record)
            throw lrv::Error(
                QStringLiteral("The run %1 has no %2 dataset.")
                    .arg(runPath, dataSet == 1 ? QStringLiteral("training") : QStringLiteral("validation")));
        return *record;
    }
}

void RunStore::Remove(const QString& runPath)
{
    RunDocument document = RunFile::load(runPath);
    auto& parameters = document.parameters;
    std::erase_if(parameters, [](const auto& entry) { return entry.first.startsWith(analysisPrefix); });
    RunFile::save(runPath, document);
}

lrv::ClassEncoding RunStore::GetClassEncoding(const QString& runPath, int dataSet)
{
    RunDocument document = RunFile::load(runPath);
    return dataSetOf(document, runPath, dataSet).encoding;
}

void RunStore::SetClassEncoding(double min, double max, const QString& runPath, int dataSet, bool invert)
{
    if (min == max)
        throw lrv::Error(QStringLiteral("The two classes need different target values; both are %1.").arg(min));
    RunDocument document = RunFile::load(runPath);
    dataSetOf(document, runPath, dataSet).encoding = { min, max, invert };
    RunFile::save(runPath, document);
}

} // namespace wb
