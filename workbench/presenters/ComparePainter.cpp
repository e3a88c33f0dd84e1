#include "presenters/ComparePainter.h"

#include "presenters/CompareModels.h"

#include <QPainter>
#include <QPainterPath>

namespace wb {

namespace {

    constexpr int panelWidth = 500, chartHeight = 480;
    constexpr double marginLeft = 58, marginRight = 18, marginTop = 36, marginBottom = 48;

    // Colours told apart also by readers with a colour vision deficiency.
    const QColor palette[] = { QColor(0, 114, 178), QColor(213, 94, 0), QColor(0, 158, 115), QColor(204, 121, 167),
        QColor(230, 159, 0), QColor(86, 180, 233), QColor(0, 0, 0) };

    struct Panel {
        QString title, xTitle, yTitle;
        std::vector<QPointF> ComparedModel::*curve;
        bool showAuc;
    };

    void paintPanel(QPainter& painter, const QRectF& area, const Panel& panel, const ModelComparison& comparison)
    {
        const QRectF plot = area.adjusted(marginLeft, marginTop, -marginRight, -marginBottom);
        const auto at = [&](QPointF p) {
            return QPointF(plot.left() + p.x() * plot.width(), plot.bottom() - p.y() * plot.height());
        };
        const QFontMetricsF metrics(painter.font());

        painter.setPen(Qt::black);
        QFont titleFont = painter.font();
        titleFont.setBold(true);
        painter.save();
        painter.setFont(titleFont);
        painter.drawText(
            QRectF(area.left(), area.top() + 6, area.width(), marginTop - 10), Qt::AlignCenter, panel.title);
        painter.restore();

        for (int i = 0; i <= 5; ++i) {
            const double v = i / 5.0;
            painter.setPen(QPen(QColor(225, 225, 225), 1));
            painter.drawLine(at({ v, 0 }), at({ v, 1 }));
            painter.drawLine(at({ 0, v }), at({ 1, v }));
            painter.setPen(Qt::black);
            const QString label = QString::number(v, 'f', 1);
            const QPointF x = at({ v, 0 }), y = at({ 0, v });
            painter.drawText(
                QRectF(x.x() - 20, x.y() + 4, 40, metrics.height()), Qt::AlignHCenter | Qt::AlignTop, label);
            painter.drawText(QRectF(y.x() - 44, y.y() - metrics.height() / 2, 38, metrics.height()),
                Qt::AlignRight | Qt::AlignVCenter, label);
        }
        painter.drawText(QRectF(plot.left(), plot.bottom() + 4 + metrics.height(), plot.width(), metrics.height() + 4),
            Qt::AlignCenter, panel.xTitle);
        painter.save();
        painter.translate(area.left() + 4 + metrics.height() / 2, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, -metrics.height() / 2, plot.height(), metrics.height()),
            Qt::AlignCenter, panel.yTitle);
        painter.restore();
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(plot);
        painter.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
        painter.drawLine(at({ 0, 0 }), at({ 1, 1 }));

        painter.save();
        painter.setClipRect(plot.adjusted(-2, -2, 2, 2));
        painter.setRenderHint(QPainter::Antialiasing);
        for (std::size_t m = 0; m < comparison.models.size(); ++m) {
            const std::vector<QPointF>& points = comparison.models[m].*panel.curve;
            if (points.empty())
                continue;
            QPainterPath path(at(points.front()));
            for (std::size_t i = 1; i < points.size(); ++i)
                path.lineTo(at(points[i]));
            painter.setPen(QPen(comparisonColour(int(m)), 2));
            painter.drawPath(path);
        }
        painter.restore();

        // The legend sits low on the right, where rising curves leave room.
        QStringList entries;
        for (const ComparedModel& model : comparison.models)
            entries << (panel.showAuc
                    ? QStringLiteral("%1 (AUC %2)").arg(model.name).arg(model.uncertainty.auc.auc, 0, 'f', 3)
                    : model.name);
        double textWidth = 0;
        for (const QString& entry : entries)
            textWidth = std::max(textWidth, metrics.horizontalAdvance(entry));
        const double line = metrics.height() + 2, swatch = 18;
        const QRectF box(plot.right() - textWidth - swatch - 22, plot.bottom() - entries.size() * line - 14,
            textWidth + swatch + 16, entries.size() * line + 8);
        painter.setPen(QPen(QColor(180, 180, 180), 1));
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawRect(box);
        for (int i = 0; i < entries.size(); ++i) {
            const double y = box.top() + 4 + i * line;
            painter.setPen(QPen(comparisonColour(i), 3));
            painter.drawLine(QPointF(box.left() + 5, y + line / 2), QPointF(box.left() + 5 + swatch, y + line / 2));
            painter.setPen(Qt::black);
            painter.drawText(
                QRectF(box.left() + swatch + 10, y, textWidth + 2, line), Qt::AlignLeft | Qt::AlignVCenter, entries[i]);
        }
    }

} // namespace

QSize comparisonChartSize() { return { 2 * panelWidth, chartHeight }; }

QColor comparisonColour(int index) { return palette[index % int(std::size(palette))]; }

void paintComparison(QPainter& painter, const ModelComparison& comparison)
{
    painter.fillRect(QRectF(QPointF(0, 0), comparisonChartSize()), Qt::white);
    paintPanel(painter, QRectF(0, 0, panelWidth, chartHeight),
        { QStringLiteral("ROC, %1 dataset").arg(comparison.dataSetName), QStringLiteral("False positive rate"),
            QStringLiteral("True positive rate"), &ComparedModel::roc, true },
        comparison);
    paintPanel(painter, QRectF(panelWidth, 0, panelWidth, chartHeight),
        { QStringLiteral("Gains, %1 dataset").arg(comparison.dataSetName), QStringLiteral("Share of records"),
            QStringLiteral("Share of positives"), &ComparedModel::gains, false },
        comparison);
}

} // namespace wb
