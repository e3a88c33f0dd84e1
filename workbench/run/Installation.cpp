#include "run/Installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#endif

namespace wb::Installation {

namespace {
    /// The folder of the shared library (or program) this code was linked into.
    QString ownFolder()
    {
#ifdef Q_OS_UNIX
        Dl_info info {};
        if (dladdr(reinterpret_cast<void*>(&ownFolder), &info) != 0 && info.dli_fname)
            return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
#endif
        return {};
    }
}

QString folder(const QString& name)
{
    QStringList starts { ownFolder() };
    if (QCoreApplication::instance())
        starts << QCoreApplication::applicationDirPath();
    starts.removeAll(QString());
    // An installed folder wins over a bare one, which a host's own tree may hold for its own purposes.
    for (const QString& path : { QStringLiteral("share/VNRK5LGAnViews/") + name, name })
        for (const QString& start : starts) {
            QDir dir(start);
            for (int level = 0; level <= 4; ++level) {
                const QFileInfo info(dir.filePath(path));
                if (info.isDir())
                    return info.canonicalFilePath();
                if (!dir.cdUp())
                    break;
            }
        }
    // Where an installation keeps it, so that a message names the place.
    const QString base = starts.isEmpty() ? QDir::currentPath() : starts.first();
    return QDir::cleanPath(base + QStringLiteral("/../share/VNRK5LGAnViews/") + name);
}

} // namespace wb::Installation
