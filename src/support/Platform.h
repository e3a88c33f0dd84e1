#pragma once

#include <memory>
#include <optional>

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QSettings;
class QWidget;

namespace lrv {

/// What the user chose in the printer dialog.
struct PrintSetup {
    int copies = 1;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

/// The platform services that tests replace: prompts, the printer, opening an address, the settings store.
/// The default uses Qt; tests install fakes that record what was asked and answer as told.
class Platform {
public:
    virtual ~Platform();

    /// A modal information box with one OK button.
    virtual void showInformation(QWidget* parent, const QString& title, const QString& message);
    /// The printer dialog; nothing when the user cancels.
    virtual std::optional<PrintSetup> askPrinter(QWidget* parent);
    /// A new document on the printer chosen last; the document ends when the device is destroyed.
    virtual std::unique_ptr<QPagedPaintDevice> startPrintDocument(const PrintSetup& setup);
    /// Opens an address with the system's default handler; false when that failed.
    virtual bool openAddress(const QString& address);
    /// The per-user settings store, organisation "Vantorix 5.0".
    virtual std::unique_ptr<QSettings> openSettings();

    static Platform& instance();
    /// Replaces the services; returns the ones in place before.
    static std::unique_ptr<Platform> install(std::unique_ptr<Platform> platform);

private:
    struct PrinterState;
    std::shared_ptr<PrinterState> m_printer;
};

} // namespace lrv
