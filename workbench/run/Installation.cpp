#include "run/Installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace wb::Installation {

QString folder(const QString& name)
{
    if (QCoreApplication::instance()) {
        QDir dir(QCoreApplication::applicationDirPath());
        for (int level = 0; level < 4; ++level) {
            const QString candidate = dir.absoluteFilePath(name);
            if (QFileInfo(candidate).isDir())
                return QDir::cleanPath(candidate);
            if (!dir.cdUp())
                break;
        }
    }
    return QDir::cleanPath(QStringLiteral(LRV_SOURCE_DIR "/") + name);
}

} // namespace wb::Installation
