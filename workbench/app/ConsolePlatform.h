#pragma once

#include "support/Platform.h"

#include <QStringList>

namespace wb {

/// Platform services for commands that run the views without a user: messages are remembered, so that
/// the command can fail with them; nothing is printed or opened.
class ConsolePlatform : public lrv::Platform {
public:
    void showInformation(QWidget* parent, const QString& title, const QString& message) override;
    std::optional<lrv::PrintSetup> askPrinter(QWidget* parent) override;
    bool openAddress(const QString& address) override;

    /// Installs one and returns it; the platform owns it.
    static ConsolePlatform& install();

    QStringList messages;
};

} // namespace wb
