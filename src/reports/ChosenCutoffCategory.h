#pragma once

#include "host/ChosenCutoff.h"

namespace lrv {

class PropertyGrid;

/// The statistics grid's category of the chosen cutoff: its rule and value, the confusion matrix with
/// shares and the measures built on it. It follows the analysis categories and is replaced at every move
/// of the cutoff.
namespace ChosenCutoffCategory {
    QString caption();
    /// Fills the category, adding it after the others when the grid lacks it.
    void show(PropertyGrid& grid, const ChosenCutoffFigures& figures);
    /// Takes the category out of the grid, if it is there.
    void remove(PropertyGrid& grid);
}

} // namespace lrv
