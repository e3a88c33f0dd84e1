#pragma once

#include "host/HostObject.h"

#include <cstdint>

namespace lrv {

/// A model of a run. Fitness is an R-square; accuracy a percentage 0..100; a negative value was not
/// computed (-11111: calculation errors, -1: undefined).
class IModel : public virtual HostObject {
public:
    virtual std::int32_t id() const = 0;
    virtual double trainingRSquare() const = 0;
    virtual double trainingAccuracy() const = 0;
    virtual double validationRSquare() const = 0;
    virtual double validationAccuracy() const = 0;
};

} // namespace lrv
