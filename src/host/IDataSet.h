#pragma once

#include "host/HostObject.h"

#include <cstdint>

namespace lrv {

/// A dataset of a run (1 training, 2 validation).
class IDataSet : public virtual HostObject {
public:
    /// Number of records.
    virtual std::int32_t count() const = 0;
};

} // namespace lrv
