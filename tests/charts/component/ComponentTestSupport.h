#pragma once

#include "../ScoredTables.h"
#include "charts/ChartComponent.h"
#include "host/IHostCore.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <memory>
#include <vector>

#include <QDir>
#include <QFile>
#include <QPointF>
#include <QTemporaryDir>
#include <QXYSeries>

namespace lrv::test {

inline QList<QPointF> pointsOf(const ChartComponent& chart, int series) { return chart.series(series)->points(); }

/// A host core that names a style folder of the test's own; presenters are not needed here.
class StyleFolderHostCore : public IHostCore {
public:
    explicit StyleFolderHostCore(QString folder);
    std::shared_ptr<DecileLoadPresenter> createLoadPresenter() override { return nullptr; }
    std::shared_ptr<CalculatePresenter> createCalculatePresenter() override { return nullptr; }
    std::unique_ptr<RunStore> createRunStore() override { return nullptr; }
    std::shared_ptr<HostEnvironment> hostEnvironment() override { return m_environment; }

private:
    std::shared_ptr<HostEnvironment> m_environment;
};

/// Installs a host core whose style folder is a fresh temporary folder while it lives; the host core
/// installed before comes back afterwards.
class TemporaryStyleFolder {
public:
    TemporaryStyleFolder();
    ~TemporaryStyleFolder();
    QString path() const { return m_folder.path(); }
    void write(const QString& fileName, const QByteArray& text) const;
    /// Copies a style file of the repository into the folder.
    void copyShipped(const QString& fileName) const;

private:
    QTemporaryDir m_folder;
    std::shared_ptr<IHostCore> m_previous;
};

} // namespace lrv::test
