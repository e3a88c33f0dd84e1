#pragma once

#include "charts/AxisTicks.h"
#include "support/XTremeChartsHelper.h"

#include <optional>
#include <vector>

#include <QImage>
#include <QList>
#include <QPointF>
#include <QStringList>
#include <QWidget>

class QCategoryAxis;
class QChart;
class QPainter;
class QChartView;
class QLineSeries;
class QValueAxis;
class QXYSeries;

namespace lrv {

/// The chart component of the component charts: a Qt Charts view with an ordered series collection
/// (points with hint texts shown as tool tips), two vertical constant lines, one diagram with a horizontal
/// and a vertical value axis, a title and a background, all styled by a content and a palette (usually
/// read from style files), plus printing and window capture.
class ChartComponent : public QWidget, public IStyledChart {
    Q_OBJECT

public:
    explicit ChartComponent(QWidget* parent = nullptr);
    ~ChartComponent() override;

    /// The built-in look, applied now and completing any content or palette loaded later that holds fewer
    /// series, constant lines or colours.
    void setDefaults(const ChartContentStyle& content, const ChartPaletteStyle& palette);
    void loadContent(const ChartContentStyle& content) override;
    void loadPalette(const ChartPaletteStyle& palette) override;
    QWidget* chartWindow() override { return this; }

    int seriesCount() const { return int(m_series.size()); }
    /// The Qt Charts series at an index, its points in the axes' units; throws lrv::Error when there is none.
    QXYSeries* series(int index) const;
    void removeAllPoints(int series);
    void addPoint(int series, double x, double y);
    /// Replaces the points of a series at once; hint texts by point index (fewer hints leave the rest
    /// without one).
    void setPoints(int series, const QList<QPointF>& points, const QStringList& hints = {});
    int pointCount(int series) const;
    QPointF point(int series, int index) const;
    QString pointHint(int series, int index) const;
    void setSeriesVisible(int series, bool visible);
    bool isSeriesVisible(int series) const;
    /// Whether a series' points count toward the axes' ranges (they do at first); a series left out is
    /// clipped to the plot.
    void setSeriesSetsRange(int series, bool setsRange);
    /// Point markers of a line series.
    void setSeriesMarkersVisible(int series, bool visible);

    /// A colour that wins over the palette's for a series (its alpha stays the palette's), or nothing to
    /// follow the palette again.
    void setSeriesColor(int series, const std::optional<QColor>& color);
    void setConstantLineColor(int line, const std::optional<QColor>& color);

    /// Constant lines 0 and 1: vertical lines at a horizontal value.
    void setConstantLineValue(int line, double value);
    double constantLineValue(int line) const;
    void setConstantLineVisible(int line, bool visible);
    bool isConstantLineVisible(int line) const;
    QLineSeries* constantLine(int line) const;
    /// A constant line the user moves: a left-button press in the plot puts it under the pointer and a drag
    /// carries it, each step raising constantLineDragged. Nothing: no line moves.
    void setDraggableConstantLine(std::optional<int> line) { m_draggableLine = line; }

    /// The axes of the first diagram. Their ticks are categories that end at each tick value, labelled
    /// by this component: the chart library never steps through a range by a tick interval.
    QValueAxis* axis(Qt::Orientation orientation) const;
    /// The ticks an axis shows now.
    const AxisTicks& ticks(Qt::Orientation orientation) const;
    /// The power of ten an axis and the series count in: 1, but for a span too small for the chart library,
    /// whose values are then divided by it.
    double axisUnit(Qt::Orientation orientation) const;
    void setAxisLabelsVisible(Qt::Orientation orientation, bool visible);
    bool axisLabelsVisible(Qt::Orientation orientation) const;
    /// 0: fixed-form numbers, scientific where those would be long; 20: scientific notation ("1.25E+06")
    /// where it is not longer. Either way the labels have the digits that tell the ticks apart.
    void setAxisLabelFormat(Qt::Orientation orientation, int format);
    int axisLabelFormat(Qt::Orientation orientation) const;

    /// The first title; a CR LF or LF starts a new line.
    void setTitle(const QString& title);
    QString title() const;
    /// The content background colour.
    QColor backgroundColor() const;
    void setAntialiasing(bool on);

    /// Paints the chart as the window shows it into target, on any device: vector graphics where the
    /// device keeps them.
    void paintScene(QPainter& painter, const QRectF& target);

    QChart* chart() const { return m_chart; }

signals:
    /// A right-button release over the chart, at a global position.
    void contextMenuRequested(const QPoint& globalPosition);
    /// The user moved the draggable constant line to a horizontal value; the line itself moves only when
    /// told (setConstantLineValue).
    void constantLineDragged(int line, double value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct SeriesEntry {
        QXYSeries* series = nullptr;
        /// The points as given; the chart library's series holds them in the axes' units.
        QList<QPointF> points;
        QStringList hints;
        bool markersVisible = true;
        bool setsRange = true;
    };
    struct ConstantLineEntry {
        QLineSeries* series = nullptr;
        double value = 0;
        bool visible = false;
    };

    const SeriesEntry& entry(int series) const;
    SeriesEntry& entry(int series);
    const ConstantLineEntry& lineEntry(int line) const;
    void rebuild();
    void applyPalette();
    void applyAxisStyle(QValueAxis* axis, const ChartAxisStyle& style);
    void updateRanges();
    /// The ticks of an axis over its ends, as many as fit the plot's length.
    AxisTicks ticksFor(Qt::Orientation orientation, double low, double high, const ChartAxisStyle& style) const;
    /// Range and tick categories at once, so that they never disagree.
    void applyTicks(QCategoryAxis* axis, const AxisTicks& ticks, double unit);
    /// Points divided by the axes' units.
    QList<QPointF> scaled(const QList<QPointF>& points) const;
    /// Widens the right margin so that the last horizontal label, centred on its tick, is not cut.
    void keepLastLabelInside();
    /// Lays the ticks out again when the plot area changed size.
    void refitTicks();
    void updateLegend();
    void showHint(int series, const QPointF& point, bool hovered);
    /// Raises constantLineDragged for a pointer position of the view's viewport.
    void dragLineTo(const QPoint& position);

    ChartContentStyle m_defaultContent;
    ChartPaletteStyle m_defaultPalette;
    ChartContentStyle m_content;
    ChartPaletteStyle m_palette;
    QChartView* m_view = nullptr;
    QChart* m_chart = nullptr;
    QCategoryAxis* m_axisX = nullptr;
    QCategoryAxis* m_axisY = nullptr;
    AxisTicks m_ticksX;
    AxisTicks m_ticksY;
    double m_unitX = 1;
    double m_unitY = 1;
    QSizeF m_fittedPlot;
    bool m_refitting = false;
    std::vector<SeriesEntry> m_series;
    std::vector<ConstantLineEntry> m_lines;
    std::vector<std::optional<QColor>> m_seriesColors;
    std::vector<std::optional<QColor>> m_lineColors;
    QString m_title;
    QColor m_labelColor;
    bool m_labelsX = true;
    bool m_labelsY = true;
    int m_formatX = 0;
    int m_formatY = 0;
    std::optional<int> m_draggableLine;
    bool m_dragging = false;
};

} // namespace lrv
