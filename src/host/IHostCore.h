#pragma once

#include "host/CompareViewInter.h"
#include "host/HostEnvironment.h"
#include "host/Presenters.h"
#include "host/RunStore.h"

#include <memory>

namespace lrv {

/// What the library asks of the host core: presenters, run stores and the environment. The host
/// registers one at start (HostCore::install); tests may register scripted ones.
class IHostCore {
public:
    virtual ~IHostCore() = default;
    virtual std::shared_ptr<DecileLoadPresenter> createLoadPresenter() = 0;
    virtual std::shared_ptr<CalculatePresenter> createCalculatePresenter() = 0;
    virtual std::unique_ptr<RunStore> createRunStore() = 0;
    /// The comparison of a run's models; none when the host cannot compare them.
    virtual std::shared_ptr<ComparePresenter> createComparePresenter() { return nullptr; }
    /// One per process.
    virtual std::shared_ptr<HostEnvironment> hostEnvironment() = 0;
};

namespace HostCore {
    /// Registers the host core; returns the one registered before.
    std::shared_ptr<IHostCore> install(std::shared_ptr<IHostCore> core);
    /// The registered host core; throws lrv::Error when none is registered.
    IHostCore& get();
    bool isInstalled();
}

} // namespace lrv
