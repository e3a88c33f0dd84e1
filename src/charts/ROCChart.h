#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/DrawnChart.h"

#include <optional>

class QLabel;

namespace lrv {

class LegendLine;

struct RocColors : FrameColors {
    OleColor roc = 0;
    OleColor diagonal = 0;
};

/// The ROC curve: true-positive rate (column 8) against false-positive rate (column 9), both 0 to 1, on a
/// square plot with the dotted chance diagonal; the legend shows the area under the curve.
class ROCChart : public DrawnChart, public IRocChart {
    Q_OBJECT
    Q_PROPERTY(uint ROCColor READ ROCColor WRITE SetROCColor)
    Q_PROPERTY(uint DiagonalColor READ DiagonalColor WRITE SetDiagonalColor)
    Q_PROPERTY(uint LabelsColor READ LabelsColor WRITE SetLabelsColor)

public:
    explicit ROCChart(QWidget* parent = nullptr);

    OleColor ROCColor() const { return m_rocColor; }
    /// Stores the curve colour and recolours the legend sample at once; the plot follows at the next Refresh.
    void SetROCColor(OleColor color);
    OleColor DiagonalColor() const { return m_diagonalColor; }
    void SetDiagonalColor(OleColor color);
    /// Stored only.
    OleColor LabelsColor() const { return m_labelsColor; }
    void SetLabelsColor(OleColor color) { m_labelsColor = color; }

    void SetDataSource(const Table<double>& data) override;
    /// The AUC with up to 6 decimals in the legend; no redraw.
    void SetAUC(double auc) override;
    /// The neutral table (11 rows, 21 columns, columns 0 and 1 of row i holding i / 10), then Refresh.
    void Reset() override;
    void SetChosenPoint(std::optional<QPointF> point) override;

signals:
    /// The user clicked the curve: the model output of the nearest point shown.
    void cutoffPicked(double output);

public:
    /// The square plot of the ROC and gains charts: side = height - hLegend height - 48, centred with
    /// the legend to its right.
    static ChartLayout squareLayout(QSize surface, QSize legendSize);
    /// Everything Refresh draws for the table; never throws: a curve that cannot be drawn sets invalidData.
    static ChartPicture rocPicture(
        const Table<double>& data, QSize surface, const QFont& font, const RocColors& colors);

    /// Keep the curve off the right and bottom borders of the plot.
    static constexpr double kXFactor = 0.995;
    static constexpr double kYFactor = 0.997;

protected:
    ChartPicture computePicture(QSize surface) const override;
    void addMarks(ChartPicture& marks) const override;
    void plotPressed(const QPointF& at) override;

private:
    Table<double> m_data;
    OleColor m_rocColor = 0;
    OleColor m_diagonalColor = 0;
    OleColor m_labelsColor = 0;
    LegendLine* m_rocSample = nullptr;
    LegendLine* m_baselineSample = nullptr;
    QLabel* m_auc = nullptr;
    QLabel* m_chosen = nullptr;
    std::optional<QPointF> m_chosenPoint;
    bool m_pickable = false; ///< the table is a calculation's, not the neutral one
};

} // namespace lrv
