#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/ChartsHelper.h"
#include "charts/DrawnChart.h"

#include <array>
#include <optional>

class QLabel;

namespace lrv {

class LegendLine;

/// Colours 1 to 4: random, ideal, lift, cumulative lift (element 0 unused).
struct LiftColors : FrameColors {
    std::array<OleColor, 5> series {};
};

/// The lift per quantile and cumulatively against % of the population, with the dotted random and ideal
/// references; the vertical axis runs from 0 to 1.1 times the largest lift. A first row whose column 0 is
/// kNoChartData marks a table without data: frame and ticks with empty labels, no notice.
class LiftChart : public DrawnChart, public IStatsChart {
    Q_OBJECT
    Q_PROPERTY(uint DiagonalColor READ DiagonalColor WRITE SetDiagonalColor)

public:
    explicit LiftChart(QWidget* parent = nullptr);

    /// Stored only.
    OleColor DiagonalColor() const { return m_diagonalColor; }
    void SetDiagonalColor(OleColor color) { m_diagonalColor = color; }
    /// Colour `index` (1 random, 2 ideal, 3 lift, 4 cumulative lift); recolours the legend sample at once.
    Q_INVOKABLE void SetColor(int index, uint color);
    OleColor Color(int index) const;

    /// Keeps the table and recomputes the data range; no redraw.
    void SetDataSource(const Table<Variant>& data) override;
    void SetChosenShare(std::optional<double> share) override;
    /// Area between the curves and lift ranking quality with up to 6 decimals in the legend.
    void SetStats(double area, double rankingQuality) override;
    /// The no-data table (11 rows, 5 columns, column 0 at the marker), then Refresh.
    void Reset() override;

    /// The data range computed by the last SetDataSource.
    const ChartsHelper::ColumnRange& range() const { return m_range; }

    /// MinX and MaxX of column 0; MaxY the largest of columns 1, 3 and 4 and the first row's column 2, times
    /// 1.1; MinY 0. Throws lrv::Error for a table without rows or with a cell that is not a number.
    static ChartsHelper::ColumnRange dataRange(const Table<Variant>& data);
    static ChartLayout liftLayout(QSize surface, QSize legendSize);
    /// Everything Refresh draws for the table; never throws.
    static ChartPicture liftPicture(
        const Table<Variant>& data, QSize surface, const QFont& font, const LiftColors& colors);

protected:
    ChartPicture computePicture(QSize surface) const override;
    void addMarks(ChartPicture& marks) const override;

private:
    Table<Variant> m_data;
    std::optional<double> m_chosenShare;
    ChartsHelper::ColumnRange m_range;
    OleColor m_diagonalColor = 0;
    LiftColors m_colors;
    std::array<LegendLine*, 5> m_samples {};
    QLabel* m_abc = nullptr;
    QLabel* m_lrq = nullptr;
};

} // namespace lrv
