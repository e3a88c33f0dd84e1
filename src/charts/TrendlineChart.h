#pragma once

#include "charts/EquationChartFrame.h"

namespace lrv {

/// The percentage of positive cases of each bucket against its boundary value, with the weighted trend
/// line y = slope · x + intercept and its equation.
class TrendlineChart : public EquationChartFrame {
    Q_OBJECT
    Q_PROPERTY(uint SlopeColor READ SlopeColor WRITE SetSlopeColor)
    Q_PROPERTY(uint TrendLineColor READ TrendLineColor WRITE SetTrendLineColor)

public:
    explicit TrendlineChart(QWidget* parent = nullptr);

    OleColor SlopeColor() const { return m_slopeColor; }
    void SetSlopeColor(OleColor color) { m_slopeColor = color; }
    OleColor TrendLineColor() const { return m_trendLineColor; }
    void SetTrendLineColor(OleColor color) { m_trendLineColor = color; }

    /// Shows the equation and keeps the line for the next refresh; with useLowerBoundary the buckets are
    /// placed by their lower boundary.
    void SetEquationValues(double slope, double intercept, double rSquare, bool useLowerBoundary) override;

protected:
    int normalizedColumn() const override
    {
        return index(m_lowerBoundary ? DecileColumn::LowerBoundary : DecileColumn::UpperBoundary);
    }
    int valueColumn() const override { return index(DecileColumn::PositivePercent); }
    double lineValue(int row, double x) const override;

private:
    double m_slope = 0;
    double m_intercept = 0;
    OleColor m_slopeColor = 0;
    OleColor m_trendLineColor = 0;
};

} // namespace lrv
