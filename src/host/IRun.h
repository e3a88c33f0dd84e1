#pragma once

#include "host/IDataSet.h"
#include "host/IModels.h"
#include "host/IRunParameters.h"

#include <cstdint>
#include <memory>

#include <QString>

namespace lrv {

/// A run: its models, parameters, file and datasets.
class IRun : public virtual HostObject {
public:
    virtual std::shared_ptr<IModels> models() const = 0;
    /// Kind code; 1 and 4 are classification kinds, whose fitness is an accuracy.
    virtual std::int32_t kindCode() const = 0;
    virtual std::shared_ptr<IRunParameters> parameters() const = 0;
    virtual QString filePath() const = 0;
    /// Dataset 1 (training) or 2 (validation); nothing when the run has no such dataset.
    virtual std::shared_ptr<IDataSet> dataSet(int index) const = 0;
};

} // namespace lrv
