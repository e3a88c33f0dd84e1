#include "support/UserPromptLib.h"

#include "LibraryVersion.h"
#include "support/Platform.h"

namespace lrv::UserPromptLib {

QString PromptTitle() { return QStringLiteral("Vantorix %1.%2").arg(LRV_VERSION_MAJOR).arg(LRV_VERSION_MINOR); }

void ShowInfoPrompt(const QString& message, QWidget* parent)
{
    Platform::instance().showInformation(parent, PromptTitle(), message);
}

} // namespace lrv::UserPromptLib
