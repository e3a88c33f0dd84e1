#include "support/Platform.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QUrl>

namespace lrv {

struct Platform::PrinterState {
    QPrinter printer;
};

Platform::~Platform() = default;

void Platform::showInformation(QWidget* parent, const QString& title, const QString& message)
{
    QMessageBox box(QMessageBox::Information, title, message, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<PrintSetup> Platform::askPrinter(QWidget* parent)
{
    if (!m_printer)
        m_printer = std::make_shared<PrinterState>();
    QPrintDialog dialog(&m_printer->printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintSetup setup;
    setup.copies = std::max(1, m_printer->printer.copyCount());
    setup.orientation = m_printer->printer.pageLayout().orientation();
    return setup;
}

std::unique_ptr<QPagedPaintDevice> Platform::startPrintDocument(const PrintSetup& setup)
{
    auto document = std::make_unique<QPrinter>();
    if (m_printer) {
        const QPrinter& chosen = m_printer->printer;
        document->setPrinterName(chosen.printerName());
        document->setOutputFileName(chosen.outputFileName());
        document->setPageLayout(chosen.pageLayout());
    }
    document->setCopyCount(1); // copies are printed one document each
    document->setPageOrientation(setup.orientation);
    return document;
}

bool Platform::openAddress(const QString& address) { return QDesktopServices::openUrl(QUrl(address)); }

std::unique_ptr<QSettings> Platform::openSettings()
{
    return std::make_unique<QSettings>(QStringLiteral("Vantorix 5.0"));
}

namespace {
    std::unique_ptr<Platform>& current()
    {
        static std::unique_ptr<Platform> platform = std::make_unique<Platform>();
        return platform;
    }
}

Platform& Platform::instance() { return *current(); }

std::unique_ptr<Platform> Platform::install(std::unique_ptr<Platform> platform)
{
    std::swap(current(), platform);
    return platform;
}

} // namespace lrv
