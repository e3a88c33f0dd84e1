#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/ChartsHelper.h"
#include "charts/ComponentChartFrame.h"

#include <array>

class QFrame;

namespace lrv {

/// Sensitivity, specificity and the two error rates against the model output, with the optimum (OCP) and
/// the logistic (LCP) cutoff points as vertical markers.
class CutoffChart : public ComponentChartFrame, public ICutoffChart {
    Q_OBJECT
    Q_PROPERTY(uint OCPColor READ OCPColor WRITE SetOCPColor)
    Q_PROPERTY(uint LCPColor READ LCPColor WRITE SetLCPColor)

public:
    explicit CutoffChart(QWidget* parent = nullptr);

    bool ShowOCP() const override { return m_showOCP; }
    void SetShowOCP(bool show) override { m_showOCP = show; }
    bool ShowLCP() const override { return m_showLCP; }
    void SetShowLCP(bool show) override { m_showLCP = show; }
    OleColor OCPColor() const { return m_ocpColor; }
    void SetOCPColor(OleColor color) { m_ocpColor = color; }
    OleColor LCPColor() const { return m_lcpColor; }
    void SetLCPColor(OleColor color) { m_lcpColor = color; }
    /// Also the legend panel's background.
    void SetBackColor(OleColor color) override;
    /// Series colour 1 (TPR) to 4 (FNR), shown by the legend line sample of that index.
    void SetColor(int index, OleColor color);
    OleColor Color(int index) const;

    /// Rows in ascending cutoff order: 0 model output, 1 TPR, 2 TNR, 3 FPR, 4 FNR; the last row is not
    /// plotted.
    void SetDataSource(const Table<double>& data) override;
    void SetOptimumModelValue(double value) override { m_optimumModelValue = value; }
    /// Stores the LCP (kNoCutoffPoint: none) and refreshes.
    void SetLogisticCutoffPoint(double value) override;
    void Refresh() override;
    void Reset() override;
    /// Moves the chosen cutoff's marker without redrawing the curves.
    void SetChosenCutoff(std::optional<double> cutoff) override;
    std::optional<double> ChosenCutoff() const { return m_chosenCutoff; }

signals:
    /// The user dragged the chosen cutoff's marker to a model output.
    void cutoffDragged(double cutoff);

protected:
    void layoutChildren() override;
    void showChosenCutoff();
    void refreshChart() override;

private:
    Table<double> m_data;
    double m_optimumModelValue = 0;
    double m_logisticCutoffPoint = kNoCutoffPoint;
    std::optional<double> m_chosenCutoff;
    bool m_showOCP = false;
    bool m_showLCP = true;
    OleColor m_ocpColor = 0;
    OleColor m_lcpColor = 0;
    std::array<OleColor, 4> m_colors {};
    QWidget* m_picLegend = nullptr;
    std::array<QFrame*, 4> m_lnLegend {};
};

} // namespace lrv
