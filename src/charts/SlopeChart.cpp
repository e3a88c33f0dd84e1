#include "charts/SlopeChart.h"

#include "charts/ChartComponent.h"
#include "charts/ChartsHelper.h"
#include "entry/ControlRegistry.h"

#include <cmath>

namespace lrv {

namespace {
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
    loadEquationStyles(QStringLiteral("Log Odds"), QStringLiteral("Log odds of a bucket"),
        QStringLiteral("Fitted line"), QStringLiteral("LRLogOddsChart.xml"));
    useConfiguredColors({ QStringLiteral("LogisticRegression.LogOdds.Chart.LogOdds"),
        QStringLiteral("LogisticRegression.LogOdds.Chart.Slope") });
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

double SlopeChart::lineValue(int row, double) const { return at(m_data, row, LogOddsColumn::FittedLogOdds).toDouble(); }

} // namespace lrv
