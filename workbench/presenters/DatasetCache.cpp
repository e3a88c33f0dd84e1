#include "presenters/DatasetCache.h"

#include "support/Error.h"

#include <mutex>

#include <QDateTime>
#include <QFileInfo>

namespace wb {

namespace {
    struct Key {
        engine::DatasetSpec spec;
        qint64 size = -1;
        QDateTime modified;

        bool operator==(const Key& other) const
        {
            return spec.path == other.spec.path && spec.targetColumn == other.spec.targetColumn
                && spec.idColumn == other.spec.idColumn && spec.outputColumns == other.spec.outputColumns
                && spec.encoding.min == other.spec.encoding.min && spec.encoding.max == other.spec.encoding.max
                && spec.encoding.invert == other.spec.encoding.invert && spec.targetLabels == other.spec.targetLabels
                && size == other.size && modified == other.modified;
        }
    };

    struct Entry {
        Key key;
        std::shared_ptr<const engine::Dataset> dataset;
    };

    std::mutex guard;
    Entry kept;
}

std::shared_ptr<const engine::Dataset> DatasetCache::get(const Run& run, int dataSet)
{
    const auto source = run.dataSetAt(dataSet);
    if (!source)
        throw lrv::Error(
            QStringLiteral("The run %1 has no %2 dataset.")
                .arg(run.filePath(), dataSet == 2 ? QStringLiteral("validation") : QStringLiteral("training")));
    Key key;
    key.spec.path = source->csvPath().toStdString();
    key.spec.targetColumn = run.document().targetColumn.toStdString();
    key.spec.idColumn = run.document().idColumn.toStdString();
    for (const ModelRecord& model : run.document().models)
        key.spec.outputColumns.push_back(model.outputColumn.toStdString());
    const lrv::ClassEncoding encoding = source->encoding();
    key.spec.encoding = { encoding.min, encoding.max, encoding.invert };
    for (const QString& label : run.document().targetLabels)
        key.spec.targetLabels.push_back(label.toStdString());
    const QFileInfo info(source->csvPath());
    key.size = info.exists() ? info.size() : -1;
    key.modified = info.lastModified();

    std::lock_guard lock(guard);
    if (kept.dataset && kept.key == key)
        return kept.dataset;
    kept = {}; // free the old records before reading new ones
    auto dataset = std::make_shared<const engine::Dataset>(engine::readDataset(key.spec));
    kept = { key, dataset };
    return dataset;
}

void DatasetCache::clear()
{
    std::lock_guard lock(guard);
    kept = {};
}

} // namespace wb
