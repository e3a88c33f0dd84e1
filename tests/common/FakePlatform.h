#pragma once

#include "support/Platform.h"

#include <memory>
#include <optional>

#include <QStringList>
#include <QTemporaryDir>

namespace lrv::test {

/// Platform services that record what was asked and answer as told: prompts, the printer dialog (its
/// documents are PDF files in a temporary folder), opened addresses and a private settings file.
class FakePlatform : public Platform {
public:
    struct Prompt {
        QString title;
        QString message;
    };

    FakePlatform();

    void showInformation(QWidget* parent, const QString& title, const QString& message) override;
    std::optional<PrintSetup> askPrinter(QWidget* parent) override;
    std::unique_ptr<QPagedPaintDevice> startPrintDocument(const PrintSetup& setup) override;
    bool openAddress(const QString& address) override;
    std::unique_ptr<QSettings> openSettings() override;

    /// Installs a new fake (fresh settings, nothing recorded) and returns it; the platform owns it.
    static FakePlatform& installFresh();
    /// The installed fake.
    static FakePlatform& current();

    std::vector<Prompt> prompts;
    QStringList openedAddresses;
    int printerDialogs = 0;
    /// What the printer dialog answers; nothing means the user cancels.
    std::optional<PrintSetup> printerAnswer = PrintSetup();
    /// The PDF files of the printed documents, in order.
    QStringList printedDocuments;
    QString settingsFile() const;

private:
    QTemporaryDir m_folder;
};

} // namespace lrv::test
