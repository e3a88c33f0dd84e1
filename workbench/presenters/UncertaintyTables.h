#pragma once

#include "engine/Analysis.h"
#include "engine/Uncertainty.h"
#include "host/UncertaintyFigures.h"
#include "support/Table.h"

/// The engine's uncertainty and calibration figures as the views take them.
namespace wb::UncertaintyTables {

/// One row per bucket of the analysis (1..B), columns lrv::CalibrationColumn. The Wilson intervals need only
/// the buckets' counts; without the uncertainty figures (a database keeps its records) the mean predicted
/// probabilities are NaN.
lrv::Table<double> calibration(const engine::Analysis& analysis, const engine::Uncertainty* uncertainty);
lrv::UncertaintyStats stats(const engine::Uncertainty& uncertainty);

} // namespace wb::UncertaintyTables
