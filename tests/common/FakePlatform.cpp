#include "common/FakePlatform.h"

#include <QPdfWriter>
#include <QSettings>

namespace lrv::test {

namespace {
    FakePlatform* g_current = nullptr;
}

FakePlatform::FakePlatform() = default;

void FakePlatform::showInformation(QWidget*, const QString& title, const QString& message)
{
    prompts.push_back({ title, message });
}

std::optional<PrintSetup> FakePlatform::askPrinter(QWidget*)
{
    ++printerDialogs;
    return printerAnswer;
}

std::unique_ptr<QPagedPaintDevice> FakePlatform::startPrintDocument(const PrintSetup& setup)
{
    const QString file = m_folder.filePath(QStringLiteral("document-%1.pdf").arg(printedDocuments.size() + 1));
    printedDocuments.append(file);
    auto writer = std::make_unique<QPdfWriter>(file);
    writer->setPageOrientation(setup.orientation);
    return writer;
}

bool FakePlatform::openAddress(const QString& address)
{
    openedAddresses.append(address);
    return true;
}

QString FakePlatform::settingsFile() const { return m_folder.filePath(QStringLiteral("settings.ini")); }

std::unique_ptr<QSettings> FakePlatform::openSettings()
{
    return std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
}

FakePlatform& FakePlatform::installFresh()
{
    auto fake = std::make_unique<FakePlatform>();
    g_current = fake.get();
    Platform::install(std::move(fake));
    return *g_current;
}

FakePlatform& FakePlatform::current() { return *g_current; }

} // namespace lrv::test
