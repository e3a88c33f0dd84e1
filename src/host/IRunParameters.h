#pragma once

#include "host/HostObject.h"
#include "support/Variant.h"

#include <cstdint>

#include <QString>

namespace lrv {

/// Types of run parameter values.
enum RunParameterType : std::int32_t {
    RunParameterInt32 = 3, ///< a 32-bit number
    RunParameterNumberText = 5, ///< a number as text with "." as decimal separator
    RunParameterText = 8, ///< a text
};

/// One item of a run's parameters.
struct RunParameter {
    std::int32_t type = RunParameterInt32;
    Variant value;
};

/// The key/value store of a run.
class IRunParameters : public virtual HostObject {
public:
    /// True when the key exists.
    virtual bool FindOrdinal(const QString& key) const = 0;
    /// The item of an existing key; throws lrv::Error for a key that does not exist.
    virtual RunParameter item(const QString& key) const = 0;
    /// Changes an existing item; a key that does not exist is left absent (never created).
    virtual void set(const QString& key, std::int32_t type, const Variant& value) = 0;
};

} // namespace lrv
