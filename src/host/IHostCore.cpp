#include "host/IHostCore.h"

#include "support/Error.h"

namespace lrv::HostCore {

namespace {
    std::shared_ptr<IHostCore>& current()
    {
        static std::shared_ptr<IHostCore> core;
        return core;
    }
}

std::shared_ptr<IHostCore> install(std::shared_ptr<IHostCore> core)
{
    std::swap(current(), core);
    return core;
}

IHostCore& get()
{
    if (!current())
        throw Error(QStringLiteral("No host core is registered: the host must install one before it opens a view."));
    return *current();
}

bool isInstalled() { return current() != nullptr; }

} // namespace lrv::HostCore
