#pragma once

#include "host/IRun.h"

#include <memory>

namespace lrv {

/// The load presenter as the window drives it.
class ILoadListener : public virtual HostObject {
public:
    /// Fills the window's lists through DecileLoadViewInter; the run may come back replaced.
    virtual void Load(std::shared_ptr<IRun>& run) = 0;
};

/// The calculation presenter as the window drives it.
class ICalculateListener : public virtual HostObject {
public:
    /// Runs the calculation, pushing the CalculateViewInter callbacks; returns when done or cancelled.
    virtual void Calculate() = 0;
};

/// A listener that follows model changes; the window only keeps it.
class IModelChangedListener : public virtual HostObject { };

/// A presenter that frees its resources when told.
class ITerminable : public virtual HostObject {
public:
    virtual void Terminate(bool force) = 0;
};

/// Implemented by the window: presenters register themselves here. The kind of listener is told by the
/// interfaces the object supports; an object supporting none is ignored.
class IListener {
public:
    virtual ~IListener() = default;
    virtual void SetListener(std::shared_ptr<HostObject> listener) = 0;
};

} // namespace lrv
