#include "charts/SlopeChart.h"

#include "charts/ChartComponent.h"
#include "charts/ChartsHelper.h"
#include "entry/ControlRegistry.h"

#include <cmath>

namespace lrv {

namespace {
    const double kUndefined = -9999;

    ChartContentStyle builtInContent()
    {
        ChartContentStyle content;
        content.axisX.title = QStringLiteral("Model Output");
        content.axisX.padding = 0.05;
        content.axisY.title = QStringLiteral("Log Odds");
        content.axisY.padding = 0.08;
        content.series = { { QStringLiteral("Log odds of a bucket"), ChartSeriesKind::Scatter, 1,
                               ChartMarkerShape::Circle, 10, true, true },
            { QStringLiteral("Fitted line"), ChartSeriesKind::Line, 2, ChartMarkerShape::None, 6, true, true } };
        return content;
    }

    ChartPaletteStyle builtInPalette()
    {
        ChartPaletteStyle palette;
        palette.seriesColors = { QColor(0x1F, 0x77, 0xB4), QColor(0xD6, 0x27, 0x28) };
        return palette;
    }

    const ControlRegistration registration(
        QStringLiteral("SlopeChart"), [](QWidget* parent) { return new SlopeChart(parent); });
}

SlopeChart::SlopeChart(QWidget* parent)
    : EquationChartFrame(parent, QStringLiteral("Log Odds"), 65, 100)
{
    ChartsHelper::ApplyChartColors(this);
    SetFrameColor(ForeColor());
    m_slopeColor = ChartsHelper::GetConfigColor(QStringLiteral("LogisticRegression.LogOdds.Chart.Slope"));
    m_logOddsColor = ChartsHelper::GetConfigColor(QStringLiteral("LogisticRegression.LogOdds.Chart.LogOdds"));
    loadStyles(builtInContent(), builtInPalette(), QStringLiteral("LRLogOddsChart.xml"),
        QStringLiteral("ScatterPlotChartPalette.xml"));
    m_chart->setAntialiasing(true);
    Reset();
}

void SlopeChart::SetEquationValues(double slope, double intercept, double rSquare, bool useLowerBoundary)
{
    showEquation(slope, intercept, rSquare);
    if (useLowerBoundary)
        normalize(2);
    m_lowerBoundary = useLowerBoundary;
}

std::optional<double> SlopeChart::lineValue(int row, double) const
{
    const Variant cell = m_data.at(row, 10);
    if (!cell.isNumeric() || cell.toDouble() == kUndefined)
        return std::nullopt;
    return cell.toDouble();
}

} // namespace lrv
