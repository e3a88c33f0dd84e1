#pragma once

#include "support/XTremeChartsHelper.h"

#include <vector>

#include <QImage>
#include <QList>
#include <QPointF>
#include <QStringList>
#include <QWidget>

class QChart;
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
    /// The Qt Charts series at an index; throws lrv::Error when there is none.
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
    /// Point markers of a line series.
    void setSeriesMarkersVisible(int series, bool visible);

    /// Constant lines 0 and 1: vertical lines at a horizontal value.
    void setConstantLineValue(int line, double value);
    double constantLineValue(int line) const;
    void setConstantLineVisible(int line, bool visible);
    bool isConstantLineVisible(int line) const;
    QLineSeries* constantLine(int line) const;

    /// The axes of the first diagram.
    QValueAxis* axis(Qt::Orientation orientation) const;
    void setAxisLabelsVisible(Qt::Orientation orientation, bool visible);
    bool axisLabelsVisible(Qt::Orientation orientation) const;
    /// 0: general numbers; 20: scientific notation with two decimals ("1.25E+06").
    void setAxisLabelFormat(Qt::Orientation orientation, int format);
    int axisLabelFormat(Qt::Orientation orientation) const;

    /// The first title; a CR LF or LF starts a new line.
    void setTitle(const QString& title);
    QString title() const;
    /// The content background colour.
    QColor backgroundColor() const;
    void setAntialiasing(bool on);

    /// The component's print command: printer dialog, then the chart scaled onto the page, one document
    /// per copy; cancelling prints nothing.
    void printChart(int options = 0);
    QImage captureImage();

    QChart* chart() const { return m_chart; }

signals:
    /// A right-button release over the chart, at a global position.
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct SeriesEntry {
        QXYSeries* series = nullptr;
        QStringList hints;
        bool markersVisible = true;
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
    void updateLegend();
    void showHint(int series, const QPointF& point, bool hovered);

    ChartContentStyle m_defaultContent;
    ChartPaletteStyle m_defaultPalette;
    ChartContentStyle m_content;
    ChartPaletteStyle m_palette;
    QChartView* m_view = nullptr;
    QChart* m_chart = nullptr;
    QValueAxis* m_axisX = nullptr;
    QValueAxis* m_axisY = nullptr;
    std::vector<SeriesEntry> m_series;
    std::vector<ConstantLineEntry> m_lines;
    QString m_title;
    QColor m_labelColor;
    bool m_labelsX = true;
    bool m_labelsY = true;
    int m_formatX = 0;
    int m_formatY = 0;
};

} // namespace lrv
