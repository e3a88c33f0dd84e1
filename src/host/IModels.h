#pragma once

#include "host/IModel.h"

#include <memory>

namespace lrv {

/// The models collection of a run, with its current model.
class IModels : public virtual HostObject {
public:
    virtual int count() const = 0;
    /// 1-based position of the current model.
    virtual int currentPosition() const = 0;
    /// Makes the model at a 1-based position current; a position out of range throws lrv::Error.
    virtual void setCurrentPosition(int position) = 0;
    /// Makes the model at a 0-based list index current; an index out of range throws lrv::Error.
    virtual void setCurrentIndex(int index) = 0;
    virtual std::shared_ptr<IModel> current() const = 0;
    /// The model at a 0-based list index.
    virtual std::shared_ptr<IModel> item(int index) const = 0;
};

} // namespace lrv
