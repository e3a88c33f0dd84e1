#include "run/Run.h"

#include "run/RunFile.h"

#include <QDir>
#include <QFileInfo>

namespace wb {

std::shared_ptr<Run> Run::open(const QString& path)
{
    return std::make_shared<Run>(QFileInfo(path).absoluteFilePath(), RunFile::load(path));
}

Run::Run(QString path, RunDocument document)
    : m_path(std::move(path))
    , m_document(std::make_shared<RunDocument>(std::move(document)))
    , m_models(std::make_shared<Models>(m_document))
    , m_parameters(std::make_shared<RunParameters>(m_document))
{
    const QDir folder = QFileInfo(m_path).absoluteDir();
    for (std::size_t d = 0; d < 2; ++d) {
        const auto& record = m_document->dataSets[d];
        if (record)
            m_dataSets[d] = std::make_shared<DataSet>(DataSet::isDatabase(record->path)
                    ? record->path
                    : QDir::cleanPath(folder.absoluteFilePath(record->path)),
                record->encoding, record->sampling);
    }
}

std::shared_ptr<lrv::IModels> Run::models() const { return m_models; }
std::int32_t Run::kindCode() const { return m_document->kind; }
std::shared_ptr<lrv::IRunParameters> Run::parameters() const { return m_parameters; }
QString Run::filePath() const { return m_path; }
std::shared_ptr<lrv::IDataSet> Run::dataSet(int index) const { return dataSetAt(index); }

std::shared_ptr<DataSet> Run::dataSetAt(int index) const
{
    if (index < 1 || index > 2)
        return nullptr;
    return m_dataSets[std::size_t(index - 1)];
}

void Run::save() const { RunFile::save(m_path, *m_document); }

QString Run::relativeCsvPath(const QString& runPath, const QString& csvPath)
{
    if (DataSet::isDatabase(csvPath))
        return csvPath;
    return QFileInfo(runPath).absoluteDir().relativeFilePath(QFileInfo(csvPath).absoluteFilePath());
}

} // namespace wb
