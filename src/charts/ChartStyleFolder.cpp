#include "charts/ChartStyleFolder.h"

#include "host/IHostCore.h"
#include "support/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lrv::XTremeChartsHelper {

namespace {
    QString existingStyleFolder(const QString& folder)
    {
        if (folder.isEmpty() || !QFileInfo::exists(QDir(folder).filePath(QStringLiteral("LRCutoffPoints.xml"))))
            return {};
        return QDir(folder).absolutePath() + QLatin1Char('/');
    }
}

QString StyleFolder()
{
    if (HostCore::isInstalled()) {
        QString folder;
        if (bestEffort([&] {
                const auto environment = HostCore::get().hostEnvironment();
                if (environment)
                    folder = environment->folder();
            })
            && !folder.isEmpty())
            return folder;
    }
    // Without a host: the styles folder shipped beside the program, or the one of this source tree.
    QStringList candidates;
    if (QCoreApplication::instance()) {
        QDir dir(QCoreApplication::applicationDirPath());
        for (int up = 0; up < 4; ++up) {
            candidates.append(dir.filePath(QStringLiteral("styles")));
            if (!dir.cdUp())
                break;
        }
    }
    candidates.append(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../../styles")));
    for (const QString& candidate : candidates) {
        const QString found = existingStyleFolder(candidate);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString StylePath(const QString& fileName)
{
    QString folder = StyleFolder();
    // The host names the folder with its separator; one is added when it does not.
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder + fileName;
}

} // namespace lrv::XTremeChartsHelper
