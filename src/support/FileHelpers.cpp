#include "support/FileHelpers.h"

namespace lrv::FileHelpers {

QString GetFileName(const QString& path)
{
    // Both separators count, so Windows paths read the same on every platform.
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

} // namespace lrv::FileHelpers
