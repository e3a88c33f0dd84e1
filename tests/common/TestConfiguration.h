#pragma once

#include "host/IConfiguration.h"
#include "support/OleColor.h"

#include <map>
#include <memory>

namespace lrv::test {

/// A host configuration held in memory, for tests.
class TestConfiguration : public IConfiguration {
public:
    std::optional<Variant> setting(const QString& key) const override;

    void set(const QString& key, const Variant& value) { values[key] = value; }
    void setColor(const QString& key, OleColor color);

    /// Installs a new empty configuration as the library-wide one and returns it.
    static std::shared_ptr<TestConfiguration> install();

    std::map<QString, Variant> values;
};

} // namespace lrv::test
