#pragma once

#include <QString>

/// Where the installed (or source) tree keeps the program's data folders.
namespace wb::Installation {

/// The folder `name` (config, styles, help, samples): found beside the executable or up to three levels
/// above it, else in the source tree the program was built from.
QString folder(const QString& name);

} // namespace wb::Installation
