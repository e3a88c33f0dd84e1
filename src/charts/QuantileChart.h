#pragma once

#include "charts/ChartInterfaces.h"
#include "support/OleColor.h"

#include <QWidget>

namespace lrv {

class BarChartWindow;
class PercentBarPlot;
class SwatchLegend;

/// The quantile tab's distribution chart: one bar per bucket, split into the shares of positive and
/// negative cases. Long tables show a window of buckets under a horizontal scroll bar; the window size is
/// the configuration's streaming threshold. Clicking a bar raises PointSelected with its table row.
class QuantileChart : public QWidget, public IQuantileChart, public IRateIntervalChart {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)

public:
    explicit QuantileChart(QWidget* parent = nullptr);

    /// Keeps the table (rows from 1; columns 3 and 4 counts, 7 and 9 percentages of positive and negative
    /// cases) and scrolls back to the first bucket; drops the error bars; does not redraw.
    void SetDataSource(const Table<Variant>& data) override;
    void Refresh() override;
    /// Ten empty buckets.
    void Reset() override;
    /// When scrolling, moves the window so that it starts after the 0-based row index (the last window
    /// when the index is beyond it).
    void ShowPoint(int index) override;
    /// Error bars of the positive shares: each bucket's Wilson interval, matched by row number.
    void SetCalibration(const Table<double>& calibration) override;

    uint BackColor() const { return m_backColor; }
    void setBackColor(uint color);
    uint ForeColor() const { return m_foreColor; }
    void setForeColor(uint color);

    /// Whether the table is longer than the streaming threshold.
    bool needsScrolling() const;
    /// The current window of buckets at full height, without the scroll bar.
    void paintChart(QPainter& painter, const QRect& target) override;

signals:
    /// The table row (from 1) of the bar the user selected.
    void PointSelected(int index);

private:
    void applyConfiguredColors();
    void layoutChildren();
    int firstShownRow() const;
    int lastShownRow() const;
    void showBarTip(int series, int position, bool entered);
    void showIntervals(int first, int last);

    PercentBarPlot* m_plot;
    SwatchLegend* m_legend;
    BarChartWindow* m_window;

    Table<Variant> m_table;
    Table<double> m_calibration;
    int m_threshold = 30;
    bool m_hasData = false;
    OleColor m_backColor = rgb(255, 255, 255);
    OleColor m_foreColor = 0;
};

} // namespace lrv
