#pragma once

#include <optional>
#include <vector>

#include <QColor>
#include <QImage>
#include <QString>

class QWidget;

namespace lrv {

enum class ChartSeriesKind { Line, Scatter, Spline };
enum class ChartMarkerShape { None, Circle, Square, Diamond, Triangle, Star, Pentagon };

/// How one series of a chart component is drawn; its colour comes from the palette.
struct ChartSeriesStyle {
    QString name;
    ChartSeriesKind kind = ChartSeriesKind::Line;
    double lineWidth = 2;
    ChartMarkerShape marker = ChartMarkerShape::None;
    double markerSize = 8;
    bool visible = true;
    bool inLegend = true;
};

/// A vertical line across the plot at one horizontal value.
struct ChartConstantLineStyle {
    QString name;
    double width = 2;
    Qt::PenStyle style = Qt::DashLine;
};

struct ChartAxisStyle {
    QString title;
    bool labelsVisible = true;
    bool gridVisible = true;
    /// Fixed ends; without them the axis spans the visible points.
    std::optional<double> minimum;
    std::optional<double> maximum;
    /// Room left on each side of the points, as a fraction of their span.
    double padding = 0;
    /// A fixed distance between ticks, anchored at 0; without it (or when it would crowd the axis) the
    /// ticks stand at round values as many as the labels leave room for.
    std::optional<double> tickInterval;
};

/// The section "Content" of a style file: title, axes, series and constant lines.
struct ChartContentStyle {
    QString title;
    QColor background = Qt::white;
    bool legendVisible = true;
    Qt::Alignment legendAlignment = Qt::AlignBottom;
    ChartAxisStyle axisX;
    ChartAxisStyle axisY;
    std::vector<ChartSeriesStyle> series;
    std::vector<ChartConstantLineStyle> constantLines;
};

/// The section "Palette" of a style file: colours by series and constant line index.
struct ChartPaletteStyle {
    std::vector<QColor> seriesColors;
    std::vector<QColor> constantLineColors;
    std::optional<QColor> background;
};

/// What a chart component offers its style loader and its copy command.
class IStyledChart {
public:
    virtual ~IStyledChart() = default;
    virtual void loadContent(const ChartContentStyle& content) = 0;
    virtual void loadPalette(const ChartPaletteStyle& palette) = 0;
    /// The component's window, as the copy command captures it.
    virtual QWidget* chartWindow() = 0;
};

/// Chart component styles and images.
namespace XTremeChartsHelper {

    /// The section "Content" of a style file; throws lrv::Error naming the file and line when the file is
    /// missing or malformed.
    ChartContentStyle ReadChartContent(const QString& path);
    /// The section "Palette" of a style file; throws like ReadChartContent.
    ChartPaletteStyle ReadChartPalette(const QString& path);

    /// Reads the file afresh and lets the chart take its content; false (the chart unchanged) when the
    /// file is missing or malformed.
    bool LoadChartContent(IStyledChart& chart, const QString& path);
    /// Reads the file afresh and lets the chart take its palette; false (the chart unchanged) on failure.
    bool LoadChartPalette(IStyledChart& chart, const QString& path);

    /// The picture of the component's whole window.
    QImage ChartImage(IStyledChart& chart);
    /// Clears the clipboard and puts ChartImage on it.
    void CopyChartImage(IStyledChart& chart);

} // namespace XTremeChartsHelper

} // namespace lrv
