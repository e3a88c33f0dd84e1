#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/ComponentChartFrame.h"

class QFrame;
class QGroupBox;

namespace lrv {

/// The fitted logistic curve (probability of class 1 against model output) and, on request, the
/// observations of class 1 and class 0 as two point clouds.
class LogisticFitChart : public ComponentChartFrame, public ILogisticFitChart {
    Q_OBJECT
    Q_PROPERTY(uint LCPColor READ LCPColor WRITE SetLCPColor)
    Q_PROPERTY(uint LineColor READ LineColor WRITE SetLineColor)
    Q_PROPERTY(uint OneColor READ OneColor WRITE SetOneColor)
    Q_PROPERTY(uint ZeroColor READ ZeroColor WRITE SetZeroColor)
    Q_PROPERTY(uint LabelsColor READ LabelsColor WRITE SetLabelsColor)

public:
    explicit LogisticFitChart(QWidget* parent = nullptr);

    bool ShowDummyPoints() const override { return m_showDummyPoints; }
    void SetShowDummyPoints(bool show) override { m_showDummyPoints = show; }
    bool ShowLCP() const override { return m_showLCP; }
    void SetShowLCP(bool show) override { m_showLCP = show; }
    OleColor LCPColor() const { return m_lcpColor; }
    void SetLCPColor(OleColor color) { m_lcpColor = color; }
    OleColor LineColor() const { return m_lineColor; }
    void SetLineColor(OleColor color) { m_lineColor = color; }
    OleColor OneColor() const { return m_oneColor; }
    /// Also the fill of the swatch "shOne".
    void SetOneColor(OleColor color);
    OleColor ZeroColor() const { return m_zeroColor; }
    /// Also the fill of the swatch "shZero".
    void SetZeroColor(OleColor color);
    OleColor LabelsColor() const { return m_labelsColor; }
    void SetLabelsColor(OleColor color) { m_labelsColor = color; }
    void SetBackColor(OleColor color) override;

    /// The curve: column 2 model output, column 5 probability of class 1. Drops the observation points.
    void SetDataSource(const Table<double>& data) override;
    /// The observations: column 0 vertical value, column 1 model output, column 2 class (non-zero: 1).
    void AddDataSource(const Table<double>& data) override;
    void SetLogisticCutoffPoint(double value) override { m_cutoff = value; }
    double LogisticCutoffPoint() const { return m_cutoff; }
    void Refresh() override;
    void Reset() override;

protected:
    void layoutChildren() override;
    void refreshChart() override;

private:
    Table<double> m_curve;
    Table<double> m_observations;
    bool m_observationsAdded = false;
    bool m_showDummyPoints = false;
    bool m_showLCP = true;
    double m_cutoff = kNoCutoffPoint;
    OleColor m_lcpColor = 0;
    OleColor m_lineColor = 0;
    OleColor m_oneColor = 0;
    OleColor m_zeroColor = 0;
    OleColor m_labelsColor = 0;
    QGroupBox* m_frLegend = nullptr;
    QFrame* m_shOne = nullptr;
    QFrame* m_shZero = nullptr;
};

} // namespace lrv
