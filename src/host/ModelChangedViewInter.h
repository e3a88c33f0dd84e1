#pragma once

#include <cstdint>

namespace lrv {

/// The view told about a model change by the host core.
class ModelChangedViewInter {
public:
    virtual ~ModelChangedViewInter() = default;
    virtual void SetModelBuckets(std::int32_t buckets) = 0;
};

} // namespace lrv
