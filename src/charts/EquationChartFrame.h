#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/ComponentChartFrame.h"

namespace lrv {

/// What the log-odds (SlopeChart) and trend-line (TrendlineChart) charts share: one point per bucket in
/// series 0 with a hint text, a fitted line of two points in series 1, and the line's equation as the
/// chart title.
class EquationChartFrame : public ComponentChartFrame, public IEquationChart {
    Q_OBJECT

public:
    void SetDataSource(const Table<Variant>& data) override;
    void Refresh() override;
    /// Installs the placeholder table, which a refresh leaves alone.
    void Reset() override;

    QString EquationText() const;
    /// Whether the horizontal values come from the lower boundary (column 2) instead of the upper one.
    bool UsesLowerBoundary() const { return m_lowerBoundary; }

protected:
    EquationChartFrame(QWidget* parent, const QString& verticalTitle, int pictureLeft, int pictureWidthLoss);

    /// The column whose normalised copy SetDataSource builds.
    virtual int normalizedColumn() const = 0;
    /// The vertical value of a bucket's point.
    virtual int valueColumn() const = 0;
    /// The fitted line's value at a row whose horizontal value is x.
    virtual double lineValue(int row, double x) const = 0;

    /// Loads the style files over the built-in look both equation charts share: the bucket points as a
    /// scatter series and the fitted line, against the model output.
    void loadEquationStyles(
        const QString& verticalTitle, const QString& pointsName, const QString& lineName, const QString& contentFile);

    /// Shows the equation under the chart and as its title; a slope or intercept of kUndefinedFit marks the fit
    /// undefined.
    void showEquation(double slope, double intercept, double rSquare);
    void normalize(int column);
    void layoutChildren() override;
    void refreshChart() override;

    Table<Variant> m_data;
    Table<Variant> m_normalized;
    bool m_lowerBoundary = false;
    bool m_fitDefined = true;
    QLabel* m_lblEquation = nullptr;

private:
    int m_pictureLeft;
    int m_pictureWidthLoss;
};

} // namespace lrv
