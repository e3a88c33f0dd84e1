#pragma once

#include "host/CalculateViewInter.h"
#include "host/DecileLoadViewInter.h"
#include "host/IRun.h"
#include "host/Listeners.h"

#include <memory>

namespace lrv {

/// The host's load presenter: SetView registers it with the view (IListener) as an ILoadListener.
class DecileLoadPresenter : public virtual HostObject {
public:
    virtual void SetView(DecileLoadViewInter& view) = 0;
};

/// The host's calculation presenter, one per calculation: Init registers it with the view (IListener) as
/// an ICalculateListener; the run may come back replaced.
class CalculatePresenter : public virtual HostObject {
public:
    virtual void Init(CalculateViewInter& view, std::shared_ptr<IRun>& run) = 0;
};

} // namespace lrv
