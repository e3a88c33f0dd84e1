#pragma once

#include <nlohmann/json.hpp>

namespace lrv {
class PropertyGrid;
}

namespace wb {

struct ExportedAnalysis;

/// The analysis as statistics.json gives it to scripts: the model, dataset, counts, AUC, the Youden
/// cutoff with its confusion matrix, the quantiles and the statistics grid by category and caption, in the
/// grid's order. Numbers stay JSON numbers at full precision; a figure the export learns to give is added here.
nlohmann::ordered_json statisticsJson(const ExportedAnalysis& exported, const lrv::PropertyGrid& grid);

} // namespace wb
