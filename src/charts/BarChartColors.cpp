#include "charts/BarChartColors.h"

#include "charts/ChartsHelper.h"
#include "charts/PercentBarPlot.h"
#include "charts/SwatchLegend.h"
#include "host/HostConfiguration.h"

#include <QWidget>

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

void applyConfigured(PercentBarPlot& plot, SwatchLegend& legend, const QStringList& seriesKeys)
{
    for (int series = 0; series < seriesKeys.size(); ++series) {
        const std::optional<QColor> fill = configured(seriesKeys[series] + QStringLiteral("BackColor"));
        const std::optional<QColor> border = configured(seriesKeys[series] + QStringLiteral("Border"));
        if (!fill || !border)
            continue;
        plot.setSeriesColors(series, *fill, *border);
        legend.setSwatchColors(series, *fill, *border);
    }
}

void applyForeColor(QWidget& control, PercentBarPlot& plot, SwatchLegend& legend, const QColor& color)
{
    QPalette palette = control.palette();
    palette.setColor(QPalette::WindowText, color);
    control.setPalette(palette);
    legend.setForeColor(color);
    plot.setFrameColor(color);
}

} // namespace lrv::BarChartColors
