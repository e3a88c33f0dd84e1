#pragma once

#include "host/IConfiguration.h"

#include <memory>

namespace lrv {

/// Implemented by objects that take the host configuration.
class IConfigurationConsumer {
public:
    virtual ~IConfigurationConsumer() = default;
    virtual void Init(std::shared_ptr<IConfiguration>& configuration) = 0;
};

} // namespace lrv
