#pragma once

#include <QChartView>
#include <QColor>
#include <QLineF>
#include <QList>
#include <QStringList>

class QBarCategoryAxis;
class QBarSet;
class QPercentBarSeries;
class QValueAxis;

namespace lrv {

/// The plot of the bar charts: stacked bars of several series over a category axis titled "Buckets", each
/// bar scaled to 100 % with whole-percent labels on the value axis. Reports the bar under the pointer, a
/// click on a bar and a right-button release.
class PercentBarPlot : public QChartView {
    Q_OBJECT

public:
    PercentBarPlot(const QStringList& seriesNames, QWidget* parent = nullptr);

    /// Replaces the bars: one category label per bar and, per series, one value per bar.
    void setBars(const QStringList& categories, const QList<QList<qreal>>& seriesValues);
    void setSeriesColors(int series, const QColor& fill, const QColor& border);
    /// The solid fill behind the chart and its plot wall.
    void setBackdropColor(const QColor& color);
    /// Grid lines, axis lines, the plot wall outline and the axis texts.
    void setFrameColor(const QColor& color);

    /// Error bars over the bars, one interval (low, high in percent of the bar) per bar; NaN ends leave a bar
    /// without one, an empty list removes them.
    void setIntervals(const QList<QPair<qreal, qreal>>& intervals);
    /// The error bars as drawn, in the view's coordinates: per bar its vertical stroke, from low to high.
    QList<QLineF> intervalStrokes() const;

    QPercentBarSeries* barSeries() const { return m_series; }
    QBarCategoryAxis* categoryAxis() const { return m_categories; }
    QValueAxis* valueAxis() const { return m_values; }

signals:
    void barHovered(int series, int position, bool entered);
    void barClicked(int series, int position);
    void contextMenuWanted(const QPoint& globalPos);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    int seriesIndex(QBarSet* set) const;
    QList<QLineF> sceneIntervalStrokes() const;
    void fitAxisLabels();

    QPercentBarSeries* m_series;
    QBarCategoryAxis* m_categories;
    QValueAxis* m_values;
    /// The category labels as given; the axis may show only some of them.
    QStringList m_labels;
    QList<QPair<qreal, qreal>> m_intervals;
    bool m_fitting = false;
};

} // namespace lrv
