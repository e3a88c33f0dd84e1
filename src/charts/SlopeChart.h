#pragma once

#include "charts/EquationChartFrame.h"

namespace lrv {

/// The log odds of each bucket against its boundary value, with the fitted straight line and its equation.
class SlopeChart : public EquationChartFrame {
    Q_OBJECT
    Q_PROPERTY(uint SlopeColor READ SlopeColor WRITE SetSlopeColor)
    Q_PROPERTY(uint LogOddsColor READ LogOddsColor WRITE SetLogOddsColor)

public:
    explicit SlopeChart(QWidget* parent = nullptr);

    OleColor SlopeColor() const { return m_slopeColor; }
    void SetSlopeColor(OleColor color) { m_slopeColor = color; }
    OleColor LogOddsColor() const { return m_logOddsColor; }
    void SetLogOddsColor(OleColor color) { m_logOddsColor = color; }

    /// Shows the equation; with useLowerBoundary the buckets are placed by their lower boundary.
    void SetEquationValues(double slope, double intercept, double rSquare, bool useLowerBoundary) override;

protected:
    int normalizedColumn() const override { return index(LogOddsColumn::UpperBoundary); }
    int valueColumn() const override { return index(LogOddsColumn::LogOdds); }
    double lineValue(int row, double x) const override;

private:
    OleColor m_slopeColor = 0;
    OleColor m_logOddsColor = 0;
};

} // namespace lrv
