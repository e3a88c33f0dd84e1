#include "ChartInterfaces.h"

#include <QPainter>
#include <QWidget>

namespace lrv {

void IChartControl::paintChart(QPainter& painter, const QRect& target)
{
    auto* widget = dynamic_cast<QWidget*>(this);
    if (!widget || widget->size().isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / widget->width(), double(target.height()) / widget->height());
    widget->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.restore();
}

QSize IChartControl::pictureSize() const
{
    const auto* widget = dynamic_cast<const QWidget*>(this);
    return widget ? widget->size() : QSize();
}

} // namespace lrv
