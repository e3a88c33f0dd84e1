#pragma once

#include <QString>

/// Where the installed (or built) tree keeps the program's data folders.
namespace wb::Installation {

/// The folder `name` (config, styles, help, samples), looked for from the folder of the library that holds
/// this code and from the program's folder, each and up to four levels above it: as `share/VNRK5LGAnViews/name`
/// (an installation, or a build tree, which links it to the sources) or as `name` itself (a source tree).
/// The first found, with links resolved; when there is none, where an installation would hold it.
QString folder(const QString& name);

} // namespace wb::Installation
