#pragma once

#include <QString>

namespace lrv::FileHelpers {

/// The part of a path after its last folder separator ("\" or "/"); the whole path when it holds none.
QString GetFileName(const QString& path);

} // namespace lrv::FileHelpers
