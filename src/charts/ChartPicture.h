#pragma once

#include "support/OleColor.h"

#include <vector>

#include <QFont>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace lrv {

/// A straight line; from == to never occurs for a point (points are ChartPoint).
struct ChartStroke {
    QPointF from;
    QPointF to;
    OleColor color = 0;
    int width = 1;
    Qt::PenStyle style = Qt::SolidLine;
};

/// A round point of `width` pixels across.
struct ChartPoint {
    QPointF at;
    OleColor color = 0;
    int width = 4;
};

/// A tick label: its caption and the top-left corner of its text on the control surface.
struct TickLabel {
    QString text;
    QPointF topLeft;
};

/// The colours every drawn chart paints with besides its series colours.
struct FrameColors {
    OleColor back = 0xFFFFFF;
    /// Tick labels.
    OleColor fore = 0;
    /// Frame box and ticks.
    OleColor frame = 0;
};

/// Where the constituent controls of a drawn chart stand on the control surface.
struct ChartLayout {
    QRect pic;
    QRect hLegend;
    QRect vLegend;
    QRect legend;
    QRect invalidNotice;
};

/// Everything a drawn chart's Refresh draws, in plain numbers. Frame, ticks and labels are in pixels of the
/// control surface; the series are in the user scale of the plot `pic`.
struct ChartPicture {
    QSize surface;
    ChartLayout layout;
    /// The plot's user scale: left, top, width and height (a negative height puts y upwards).
    QRectF userScale;
    OleColor backColor = 0xFFFFFF;
    OleColor labelColor = 0;
    QFont font;
    /// Box one pixel outside the plot and the ticks, in FrameColor.
    std::vector<ChartStroke> frame;
    /// 11 labels per axis once the axes are drawn; element i is lblX(i) / lblY(i).
    std::vector<TickLabel> xLabels;
    std::vector<TickLabel> yLabels;
    std::vector<ChartStroke> series;
    std::vector<ChartPoint> points;
    bool invalidData = false;
    /// What the notice says when invalidData is set; empty: "Invalid Data".
    QString notice;

    /// The plot rectangle on the control surface.
    QRect plot() const { return layout.pic; }
    /// A point of the user scale in pixels of the control surface.
    QPointF toSurface(const QPointF& user) const;
};

/// Leaves out tick labels that would overlap their neighbours (in the picture's font): every second,
/// fifth or tenth label is kept, the first always.
void thinCrowdedLabels(ChartPicture& picture);

/// The parts of a picture, so that the screen can lay the tick labels over the axis title.
/// SeriesOnly paints the series and points over what is there, for marks over a picture.
enum class PictureParts { All, WithoutLabels, LabelsOnly, SeriesOnly };

/// Paints the picture on any device: the on-screen pixmap, a clipboard image, a printer, an SVG file.
void paintPicture(QPainter& painter, const ChartPicture& picture, PictureParts parts = PictureParts::All);

} // namespace lrv
