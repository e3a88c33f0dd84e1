#pragma once

#include "host/IHostCore.h"

#include <memory>

namespace wb {

/// The workbench as the library's host core: its presenters, run store and environment.
class WorkbenchHostCore : public lrv::IHostCore {
public:
    std::shared_ptr<lrv::DecileLoadPresenter> createLoadPresenter() override;
    std::shared_ptr<lrv::CalculatePresenter> createCalculatePresenter() override;
    std::unique_ptr<lrv::RunStore> createRunStore() override;
    std::shared_ptr<lrv::ComparePresenter> createComparePresenter() override;
    std::shared_ptr<lrv::HostEnvironment> hostEnvironment() override;

    /// Installs a workbench host core with lrv::HostCore::install, and the installation's
    /// config/default.json as the library-wide host configuration. Throws lrv::Error when the
    /// configuration cannot be read. Registers the library's controls.
    static void install();

private:
    std::shared_ptr<lrv::HostEnvironment> m_environment;
};

} // namespace wb
