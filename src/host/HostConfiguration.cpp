#include "host/HostConfiguration.h"

#include <algorithm>
#include <cmath>

namespace lrv::HostConfiguration {

namespace {
    std::shared_ptr<IConfiguration>& current()
    {
        static std::shared_ptr<IConfiguration> configuration;
        return configuration;
    }
}

void set(std::shared_ptr<IConfiguration> configuration) { current() = std::move(configuration); }

std::shared_ptr<IConfiguration> get() { return current(); }

std::int32_t integer(const QString& key, std::int32_t fallback)
{
    const auto configuration = current();
    if (!configuration)
        return fallback;
    const std::optional<Variant> value = configuration->setting(key);
    if (!value || !value->isNumeric())
        return fallback;
    const double number = std::round(value->toDouble());
    if (number < -2147483648.0 || number > 2147483647.0)
        return fallback;
    return std::int32_t(number);
}

QString text(const QString& key)
{
    const auto configuration = current();
    if (!configuration)
        return {};
    const std::optional<Variant> value = configuration->setting(key);
    return value ? value->text() : QString();
}

OleColor color(const QString& key)
{
    const auto configuration = get();
    if (!configuration)
        return 0;
    // A missing or unreadable component counts as 0.
    const auto component = [&](const char* suffix) {
        const std::optional<Variant> value = configuration->setting(key + QLatin1String(suffix));
        if (!value || !value->isNumeric())
            return 0;
        return int(std::clamp(std::round(value->toDouble()), 0.0, 255.0));
    };
    return rgb(component(".R"), component(".G"), component(".B"));
}

} // namespace lrv::HostConfiguration
