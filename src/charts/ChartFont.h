#pragma once

#include <QFont>

namespace lrv {

/// The font of the drawn charts' tick labels, axis titles and legend captions: Tahoma 8.25 pt, normal
/// weight; DejaVu Sans where Tahoma is not installed.
QFont chartFont();

} // namespace lrv
