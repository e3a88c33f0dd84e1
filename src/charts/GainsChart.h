#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/DrawnChart.h"

#include <optional>

class QLabel;

namespace lrv {

class LegendLine;

struct GainsColors : FrameColors {
    OleColor lift = 0;
    OleColor diagonal = 0;
    OleColor optimum = 0;
};

/// The cumulative gains curve: % of positive cases captured (column 9) against % of the population (column
/// 13), both 0 to 100, on the ROC chart's square plot, with the dotted random diagonal and the ideal curve
/// from the positive fraction (column 8 of the last row); the legend shows the area and the ranking quality.
class GainsChart : public DrawnChart, public IStatsChart {
    Q_OBJECT
    Q_PROPERTY(uint OptimumColor READ OptimumColor WRITE SetOptimumColor)
    Q_PROPERTY(uint LiftColor READ LiftColor WRITE SetLiftColor)
    Q_PROPERTY(uint DiagonalColor READ DiagonalColor WRITE SetDiagonalColor)
    Q_PROPERTY(uint LabelsColor READ LabelsColor WRITE SetLabelsColor)

public:
    explicit GainsChart(QWidget* parent = nullptr);

    OleColor OptimumColor() const { return m_optimumColor; }
    void SetOptimumColor(OleColor color);
    OleColor LiftColor() const { return m_liftColor; }
    void SetLiftColor(OleColor color);
    OleColor DiagonalColor() const { return m_diagonalColor; }
    void SetDiagonalColor(OleColor color);
    /// Stored only.
    OleColor LabelsColor() const { return m_labelsColor; }
    void SetLabelsColor(OleColor color) { m_labelsColor = color; }

    void SetDataSource(const Table<Variant>& data) override;
    void SetChosenShare(std::optional<double> share) override;
    /// Area under the curve and gains ranking quality with up to 6 decimals in the legend; no redraw.
    void SetStats(double area, double rankingQuality) override;
    /// The neutral table (11 rows, 21 columns, columns 0 and 1 of row i holding i / 10, others empty).
    void Reset() override;

    /// Everything Refresh draws for the table; never throws.
    static ChartPicture gainsPicture(
        const Table<Variant>& data, QSize surface, const QFont& font, const GainsColors& colors);

protected:
    ChartPicture computePicture(QSize surface) const override;
    void addMarks(ChartPicture& marks) const override;

private:
    Table<Variant> m_data;
    std::optional<double> m_chosenShare;
    OleColor m_optimumColor = 0;
    OleColor m_liftColor = 0;
    OleColor m_diagonalColor = 0;
    OleColor m_labelsColor = 0;
    LegendLine* m_gainsSample = nullptr;
    LegendLine* m_baselineSample = nullptr;
    LegendLine* m_optimumSample = nullptr;
    QLabel* m_rankingQuality = nullptr;
    QLabel* m_area = nullptr;
};

} // namespace lrv
