#include "embed/Workbench.h"

#include "app/RunMaker.h"
#include "app/TerminalProgress.h"
#include "entry/LogisticRegression.h"
#include "host/HostConfiguration.h"
#include "presenters/WorkbenchHostCore.h"
#include "run/Run.h"
#include "support/Error.h"

namespace wb {

void installHost() { WorkbenchHostCore::install(); }

std::shared_ptr<lrv::IRun> openRun(const QString& path) { return Run::open(path); }

std::shared_ptr<lrv::IRun> runFromCsv(
    const QString& csv, const QString& target, const QStringList& models, const QString& out)
{
    RunSpec spec;
    spec.training = csv;
    spec.targetColumn = target;
    spec.outputColumns = models;
    spec.out = out;
    spec.replace = true;
    TerminalProgress progress;
    try {
        return Run::open(makeRun(spec, progress).path);
    } catch (const lrv::Error&) {
        throw;
    } catch (const std::exception& error) {
        throw lrv::Error(QString::fromUtf8(error.what()));
    }
}

void showAnalysis(const std::shared_ptr<lrv::IRun>& run, std::int32_t chartCode, QWidget* parent)
{
    const auto workbenchRun = std::dynamic_pointer_cast<Run>(run);
    if (!workbenchRun)
        throw lrv::Error(QStringLiteral("The run was not opened by the workbench: open it with openRun."));
    lrv::LogisticRegression entry;
    std::shared_ptr<lrv::IConfiguration> configuration = lrv::HostConfiguration::get();
    entry.Init(configuration);
    const auto sampling = [&](int index) {
        const auto set = workbenchRun->dataSetAt(index);
        return set ? set->sampling() : 0;
    };
    entry.SetOriginalSamplings(sampling(1), sampling(2));
    std::shared_ptr<lrv::IRun> handle = run;
    entry.ShowAnalysis(handle, chartCode, parent);
    workbenchRun->save();
}

} // namespace wb
