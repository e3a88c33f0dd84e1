#include "common/TestConfiguration.h"

#include "host/HostConfiguration.h"

namespace lrv::test {

std::optional<Variant> TestConfiguration::setting(const QString& key) const
{
    const auto found = values.find(key);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

void TestConfiguration::setColor(const QString& key, OleColor color)
{
    set(key + QStringLiteral(".R"), redOf(color));
    set(key + QStringLiteral(".G"), greenOf(color));
    set(key + QStringLiteral(".B"), blueOf(color));
}

std::shared_ptr<TestConfiguration> TestConfiguration::install()
{
    auto configuration = std::make_shared<TestConfiguration>();
    HostConfiguration::set(configuration);
    return configuration;
}

} // namespace lrv::test
