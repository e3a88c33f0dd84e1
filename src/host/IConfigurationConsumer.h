#pragma once

#include <memory>

#include "host/IConfiguration.h"

namespace lrv {

/// Implemented by objects that take the host configuration.
class IConfigurationConsumer {
public:
    virtual ~IConfigurationConsumer() = default;
    virtual void Init(std::shared_ptr<IConfiguration>& configuration) = 0;
};

} // namespace lrv
