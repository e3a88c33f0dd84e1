#include "charts/TrendlineChart.h"

#include "charts/ChartComponent.h"
#include "charts/ChartsHelper.h"
#include "entry/ControlRegistry.h"

namespace lrv {

namespace {
    const double kUndefined = -9999;

    ChartContentStyle builtInContent()
    {
        ChartContentStyle content;
        content.axisX.title = QStringLiteral("Model Output");
        content.axisX.padding = 0.05;
        content.axisY.title = QStringLiteral("% Positive Cases");
        content.axisY.padding = 0.08;
        content.series = { { QStringLiteral("% positive cases of a bucket"), ChartSeriesKind::Scatter, 1,
                               ChartMarkerShape::Circle, 10, true, true },
            { QStringLiteral("Trend line"), ChartSeriesKind::Line, 2, ChartMarkerShape::None, 6, true, true } };
        return content;
    }

    ChartPaletteStyle builtInPalette()
    {
        ChartPaletteStyle palette;
        palette.seriesColors = { QColor(0x1F, 0x77, 0xB4), QColor(0xD6, 0x27, 0x28) };
        return palette;
    }

    const ControlRegistration registration(
        QStringLiteral("TrendlineChart"), [](QWidget* parent) { return new TrendlineChart(parent); });
}

TrendlineChart::TrendlineChart(QWidget* parent)
    : EquationChartFrame(parent, QStringLiteral("% Positive Cases"), 75, 120)
{
    ChartsHelper::ApplyChartColors(this);
    SetFrameColor(ForeColor());
    m_slopeColor = ChartsHelper::GetConfigColor(QStringLiteral("LogisticRegression.TrendLine.Chart.Slope"));
    m_trendLineColor = ChartsHelper::GetConfigColor(QStringLiteral("LogisticRegression.TrendLine.Chart.TrendLine"));
    loadStyles(builtInContent(), builtInPalette(), QStringLiteral("LRQuantileRegressionChart.xml"),
        QStringLiteral("ScatterPlotChartPalette.xml"));
    m_chart->setAntialiasing(true);
    Reset();
}

void TrendlineChart::SetEquationValues(double slope, double intercept, double rSquare, bool useLowerBoundary)
{
    showEquation(slope, intercept, rSquare);
    m_slope = slope;
    m_intercept = intercept;
    m_lowerBoundary = useLowerBoundary;
}

std::optional<double> TrendlineChart::lineValue(int, double x) const
{
    // An undefined fit has no line to draw.
    if (m_slope == kUndefined || m_intercept == kUndefined)
        return std::nullopt;
    return m_slope * x + m_intercept;
}

} // namespace lrv
