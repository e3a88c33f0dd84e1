#include "presenters/WorkbenchHostCore.h"

#include "entry/Controls.h"
#include "host/HostConfiguration.h"
#include "presenters/CalculatePresenter.h"
#include "presenters/ComparePresenter.h"
#include "presenters/DecileLoadPresenter.h"
#include "run/Configuration.h"
#include "run/HostEnvironment.h"
#include "run/RunStore.h"

namespace wb {

std::shared_ptr<lrv::DecileLoadPresenter> WorkbenchHostCore::createLoadPresenter()
{
    return std::make_shared<DecileLoadPresenter>();
}

std::shared_ptr<lrv::CalculatePresenter> WorkbenchHostCore::createCalculatePresenter()
{
    return std::make_shared<CalculatePresenter>();
}

std::shared_ptr<lrv::ComparePresenter> WorkbenchHostCore::createComparePresenter()
{
    return std::make_shared<ComparePresenter>();
}

std::unique_ptr<lrv::RunStore> WorkbenchHostCore::createRunStore() { return std::make_unique<RunStore>(); }

std::shared_ptr<lrv::HostEnvironment> WorkbenchHostCore::hostEnvironment()
{
    if (!m_environment)
        m_environment = std::make_shared<HostEnvironment>();
    return m_environment;
}

void WorkbenchHostCore::install()
{
    lrv::HostConfiguration::set(Configuration::loadDefault());
    lrv::HostCore::install(std::make_shared<WorkbenchHostCore>());
    // The export and the benchmarks open the analysis window directly, not through the entry object.
    lrv::registerControls();
}

} // namespace wb
