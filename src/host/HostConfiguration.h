#pragma once

#include "host/IConfiguration.h"
#include "support/OleColor.h"

#include <memory>

/// The library-wide host configuration, set by the entry object; it may be absent.
namespace lrv::HostConfiguration {

void set(std::shared_ptr<IConfiguration> configuration);
std::shared_ptr<IConfiguration> get();

/// The value of a key as a 32-bit number, or the fallback without a configuration, a missing key or
/// a value that is not a number.
std::int32_t integer(const QString& key, std::int32_t fallback);
/// The value of a key as text, empty when absent.
QString text(const QString& key);
/// The colour stored under key + ".R", ".G", ".B"; black without one.
OleColor color(const QString& key);

} // namespace lrv::HostConfiguration
