#pragma once

#include "host/HostObject.h"
#include "support/Variant.h"

#include <optional>

#include <QString>

namespace lrv {

/// The host configuration: a collection of values keyed by name (numbers; "App.Help" is text). A colour
/// is three items: the key followed by ".R", ".G" and ".B".
class IConfiguration : public virtual HostObject {
public:
    /// The value of a key; nothing when the key is missing.
    virtual std::optional<Variant> setting(const QString& key) const = 0;
};

} // namespace lrv
