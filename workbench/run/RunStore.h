#pragma once

#include "host/RunStore.h"

namespace wb {

/// Stored analyses and class encodings, kept in run files.
class RunStore : public lrv::RunStore {
public:
    /// Removes the analysis the window stored in the run (its "set_lr#" parameters).
    void Remove(const QString& runPath) override;
    lrv::ClassEncoding GetClassEncoding(const QString& runPath, int dataSet) override;
    void SetClassEncoding(double min, double max, const QString& runPath, int dataSet, bool invert) override;
};

} // namespace wb
