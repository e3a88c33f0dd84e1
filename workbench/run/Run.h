#pragma once

#include "host/IRun.h"
#include "run/DataSet.h"
#include "run/Models.h"
#include "run/RunDocument.h"
#include "run/RunParameters.h"

#include <memory>

namespace wb {

/// A run file opened in memory. Changes to its models' current position and to its parameters stay in
/// memory until save().
class Run : public lrv::IRun {
public:
    /// Reads a run file; throws lrv::Error naming the file (and the line for bad JSON).
    static std::shared_ptr<Run> open(const QString& path);
    /// A run that lives at `path` once saved.
    Run(QString path, RunDocument document);

    std::shared_ptr<lrv::IModels> models() const override;
    std::int32_t kindCode() const override;
    std::shared_ptr<lrv::IRunParameters> parameters() const override;
    QString filePath() const override;
    std::shared_ptr<lrv::IDataSet> dataSet(int index) const override;

    std::shared_ptr<Models> modelList() const { return m_models; }
    std::shared_ptr<RunParameters> parameterList() const { return m_parameters; }
    /// Dataset 1 or 2 with its absolute CSV path; nothing when the run has no such dataset.
    std::shared_ptr<DataSet> dataSetAt(int index) const;
    const RunDocument& document() const { return *m_document; }

    /// Writes the run file atomically.
    void save() const;

    /// A CSV path as the run file stores it: relative to the run file's folder.
    static QString relativeCsvPath(const QString& runPath, const QString& csvPath);

private:
    QString m_path;
    std::shared_ptr<RunDocument> m_document;
    std::shared_ptr<Models> m_models;
    std::shared_ptr<RunParameters> m_parameters;
    std::array<std::shared_ptr<DataSet>, 2> m_dataSets;
};

} // namespace wb
