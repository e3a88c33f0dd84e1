#pragma once

#include "engine/Dataset.h"
#include "run/Run.h"

#include <memory>

namespace wb {

/// The records of the dataset last read, kept while its file, columns and encoding stay the same, so
/// that changing the model or the buckets does not read the CSV file again.
class DatasetCache {
public:
    /// The records of dataset 1 or 2 of a run with every model's output column; throws engine::InputError
    /// for a bad file and lrv::Error when the run has no such dataset.
    static std::shared_ptr<const engine::Dataset> get(const Run& run, int dataSet);
    /// Forgets the kept records (to free their memory).
    static void clear();
};

} // namespace wb
