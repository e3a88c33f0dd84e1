#include "ConsolePlatform.h"

namespace wb {

void ConsolePlatform::showInformation(QWidget*, const QString&, const QString& message) { messages.append(message); }

std::optional<lrv::PrintSetup> ConsolePlatform::askPrinter(QWidget*) { return std::nullopt; }

bool ConsolePlatform::openAddress(const QString&) { return false; }

ConsolePlatform& ConsolePlatform::install()
{
    auto platform = std::make_unique<ConsolePlatform>();
    ConsolePlatform& installed = *platform;
    lrv::Platform::install(std::move(platform));
    return installed;
}

} // namespace wb
