#pragma once

namespace lrv {

/// Registers the library's controls (the charts, the model selector, the help button) with ControlRegistry
/// under "VNRK5LGAnViews." + their name. The first call registers; later calls leave the registry as it is,
/// so that a factory a host or a test put in its place stays.
void registerControls();

} // namespace lrv
