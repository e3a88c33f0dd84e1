#include "charts/TrendlineChart.h"

#include "charts/ChartComponent.h"
#include "charts/ChartsHelper.h"
#include "host/HostConfiguration.h"

namespace lrv {

TrendlineChart::TrendlineChart(QWidget* parent)
    : EquationChartFrame(parent, QStringLiteral("% Positive Cases"), 75, 120)
{
    ChartsHelper::ApplyChartColors(this);
    SetFrameColor(ForeColor());
    m_slopeColor = HostConfiguration::color(QStringLiteral("LogisticRegression.TrendLine.Chart.Slope"));
    m_trendLineColor = HostConfiguration::color(QStringLiteral("LogisticRegression.TrendLine.Chart.TrendLine"));
    loadEquationStyles(QStringLiteral("% Positive Cases"), QStringLiteral("% positive cases of a bucket"),
        QStringLiteral("Trend line"), QStringLiteral("LRQuantileRegressionChart.xml"));
    // As on the log-odds chart, the slope colour is the fitted line's; the points take the trend-line one.
    useConfiguredColors({ QStringLiteral("LogisticRegression.TrendLine.Chart.TrendLine"),
        QStringLiteral("LogisticRegression.TrendLine.Chart.Slope") });
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

double TrendlineChart::lineValue(int, double x) const { return m_slope * x + m_intercept; }

} // namespace lrv
