#pragma once

#include "host/HostObject.h"

#include <QString>

namespace lrv {

/// The host's environment, one per process.
class HostEnvironment : public virtual HostObject {
public:
    /// Folder of the chart style files.
    virtual QString folder() const = 0;
};

} // namespace lrv
