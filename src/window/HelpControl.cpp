#include "window/HelpControl.h"

#include "host/HostConfiguration.h"
#include "support/Platform.h"
#include "support/UserPromptLib.h"

#include <exception>

#include <QPushButton>
#include <QResizeEvent>

namespace lrv {

namespace {
    // The smallest control: 800 by 300 twips at 15 twips per pixel, rounded up.
    constexpr int kTwipsPerPixel = 15;
    constexpr int kMinimumWidth = (800 + kTwipsPerPixel - 1) / kTwipsPerPixel;
    constexpr int kMinimumHeight = (300 + kTwipsPerPixel - 1) / kTwipsPerPixel;

}

HelpControl::HelpControl(QWidget* parent)
    : QWidget(parent)
    , m_command(new QPushButton(QStringLiteral("&Help"), this))
{
    m_command->setObjectName(QStringLiteral("Command"));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    m_command->setGeometry(rect());
    connect(m_command, &QPushButton::clicked, this, &HelpControl::openHelp);
}

QSize HelpControl::sizeHint() const { return m_command->sizeHint().expandedTo(minimumSize()); }

void HelpControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_command->setGeometry(QRect(QPoint(0, 0), event->size()));
}

void HelpControl::openHelp()
{
    // A click handler: whatever the parent's handler or the platform throws stays here.
    try {
        emit SetContext();
        const QString base = HostConfiguration::text(QStringLiteral("App.Help"));
        if (base.isEmpty()) {
            UserPromptLib::ShowInfoPrompt(QStringLiteral("No help is available: the host configuration has no "
                                                         "\"App.Help\" address. Ask the administrator of the "
                                                         "workbench to set it."),
                this);
            return;
        }
        Platform::instance().openAddress(base + m_context);
    } catch (const std::exception&) {
    }
}

} // namespace lrv
