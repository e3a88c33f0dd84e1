#pragma once

#include "support/OleColor.h"

namespace lrv {

enum class GridLineStyle { None = 0, SmallDots = 1, LargeDots = 2, Dashes = 3, Solid = 4 };

/// The look of the report grid's cells.
struct ReportPaintOptions {
    OleColor gridLineColor = rgb(192, 192, 192);
    GridLineStyle horizontalGridStyle = GridLineStyle::Solid;
    GridLineStyle verticalGridStyle = GridLineStyle::Solid;
    /// Selected rows keep the selection colour even when the grid has no focus.
    bool highlightSelectionWithoutFocus = true;
};

} // namespace lrv
