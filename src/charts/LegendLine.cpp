#include "charts/LegendLine.h"

#include <QPainter>

namespace lrv {

LegendLine::LegendLine(const QString& name, Qt::PenStyle style, int width, QWidget* parent)
    : QWidget(parent)
    , m_style(style)
    , m_width(width)
{
    setObjectName(name);
}

void LegendLine::SetBorderColor(OleColor color)
{
    m_color = color;
    update();
}

void LegendLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(toQColor(m_color));
    pen.setWidth(m_width);
    pen.setStyle(m_style);
    painter.setPen(pen);
    const int y = height() / 2;
    painter.drawLine(0, y, width() - 1, y);
}

} // namespace lrv
