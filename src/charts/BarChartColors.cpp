#include "charts/BarChartColors.h"

#include "charts/ChartsHelper.h"
#include "host/HostConfiguration.h"

namespace lrv::BarChartColors {

std::optional<QColor> configured(const QString& key)
{
    const auto configuration = HostConfiguration::get();
    if (!configuration)
        return std::nullopt;
    for (const char* suffix : { ".R", ".G", ".B" })
        if (!configuration->setting(key + QLatin1String(suffix)))
            return std::nullopt;
    return toQColor(HostConfiguration::color(key));
}

} // namespace lrv::BarChartColors
