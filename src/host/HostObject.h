#pragma once

namespace lrv {

/// Base of every object the host core hands over; the kind of an object is told by the interfaces it
/// supports (dynamic_cast), as listeners are told apart.
class HostObject {
public:
    virtual ~HostObject() = default;
};

} // namespace lrv
