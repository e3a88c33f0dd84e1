#include "charts/ChartPicture.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace lrv {

QPointF ChartPicture::toSurface(const QPointF& user) const
{
    const QRect p = plot();
    const double x = userScale.width() == 0 ? 0 : (user.x() - userScale.left()) * p.width() / userScale.width();
    const double y = userScale.height() == 0 ? 0 : (user.y() - userScale.top()) * p.height() / userScale.height();
    return QPointF(p.left() + x, p.top() + y);
}

namespace {
    QPen strokePen(OleColor color, int width, Qt::PenStyle style)
    {
        QPen pen(toQColor(color));
        pen.setWidth(width);
        pen.setStyle(style);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }

    void paintLabels(QPainter& painter, const ChartPicture& picture)
    {
        painter.setFont(picture.font);
        painter.setPen(toQColor(picture.labelColor));
        const double ascent = QFontMetricsF(picture.font, painter.device()).ascent();
        for (const auto* labels : { &picture.xLabels, &picture.yLabels })
            for (const TickLabel& label : *labels)
                if (!label.text.isEmpty())
                    painter.drawText(label.topLeft + QPointF(0, ascent), label.text);
    }
}

namespace {
    // Whether the labels kept at every `stride`th index stand clear of each other along one direction.
    bool standClear(const std::vector<TickLabel>& labels, const QFontMetricsF& metrics, int stride, bool across)
    {
        std::vector<QRectF> boxes;
        for (std::size_t i = 0; i < labels.size(); i += std::size_t(stride))
            if (!labels[i].text.isEmpty())
                boxes.emplace_back(
                    labels[i].topLeft, QSizeF(metrics.horizontalAdvance(labels[i].text), metrics.height()));
        const auto start = [across](const QRectF& box) { return across ? box.left() : box.top(); };
        std::sort(boxes.begin(), boxes.end(), [&](const QRectF& a, const QRectF& b) { return start(a) < start(b); });
        const double gap = across ? metrics.averageCharWidth() : 0;
        for (std::size_t i = 1; i < boxes.size(); ++i) {
            const double end = across ? boxes[i - 1].right() : boxes[i - 1].bottom();
            if (end + gap > start(boxes[i]))
                return false;
        }
        return true;
    }

    void thin(std::vector<TickLabel>& labels, const QFontMetricsF& metrics, bool across)
    {
        int kept = int(labels.size());
        for (int stride : { 1, 2, 5, 10 }) {
            if (standClear(labels, metrics, stride, across)) {
                kept = stride;
                break;
            }
        }
        for (std::size_t i = 1; i < labels.size(); ++i)
            if (int(i) % kept != 0)
                labels[i].text.clear();
    }
}

void thinCrowdedLabels(ChartPicture& picture)
{
    const QFontMetricsF metrics(picture.font);
    thin(picture.xLabels, metrics, true);
    thin(picture.yLabels, metrics, false);
}

void paintPicture(QPainter& painter, const ChartPicture& picture, PictureParts parts)
{
    painter.save();
    if (parts == PictureParts::LabelsOnly) {
        paintLabels(painter, picture);
        painter.restore();
        return;
    }
    if (parts != PictureParts::SeriesOnly) {
        painter.fillRect(QRect(QPoint(0, 0), picture.surface), toQColor(picture.backColor));
        // The frame sits on whole pixels: aliased, so a one-pixel box stays one pixel wide.
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (const ChartStroke& stroke : picture.frame) {
            painter.setPen(strokePen(stroke.color, stroke.width, stroke.style));
            painter.drawLine(stroke.from, stroke.to);
        }
    }

    if (parts == PictureParts::All)
        paintLabels(painter, picture);

    // The series stay inside the plot, as on a picture box.
    painter.setClipRect(picture.plot());
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const ChartStroke& stroke : picture.series) {
        painter.setPen(strokePen(stroke.color, stroke.width, stroke.style));
        painter.drawLine(picture.toSurface(stroke.from), picture.toSurface(stroke.to));
    }
    for (const ChartPoint& point : picture.points) {
        QPen pen = strokePen(point.color, point.width, Qt::SolidLine);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawPoint(picture.toSurface(point.at));
    }
    painter.restore();
}

} // namespace lrv
