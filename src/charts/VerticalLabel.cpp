#include "charts/VerticalLabel.h"

#include "charts/ChartFont.h"

#include <cmath>

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>

namespace lrv {

namespace {
    // Cell height (ascent plus descent) of the turned font, in pixels.
    constexpr double kRotatedCellHeight = 13;
}

VerticalLabel::VerticalLabel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("VerticalLabel"));
    setFont(chartFont());
    m_pic = new QLabel(this);
    m_pic->setObjectName(QStringLiteral("pic"));
    m_pic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pic->setAutoFillBackground(true);
    SetBackColor(m_backColor);
}

void VerticalLabel::SetBackColor(OleColor color)
{
    m_backColor = color;
    for (QWidget* widget : { static_cast<QWidget*>(this), static_cast<QWidget*>(m_pic) }) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, toQColor(color));
        widget->setPalette(palette);
    }
    setAutoFillBackground(true);
    draw();
}

void VerticalLabel::SetText(const QString& text)
{
    m_text = text;
    draw();
}

QPointF VerticalLabel::textOrigin(int height, double textWidth) { return QPointF(0, (height + textWidth) / 2); }

QFont VerticalLabel::rotatedFont(const QString& family)
{
    QFont font(family);
    font.setWeight(QFont::Normal);
    // A pixel size gives the em height; scale it so that ascent plus descent is the requested cell height.
    font.setPixelSize(100);
    const double cell = QFontMetricsF(font).height();
    font.setPixelSize(std::max(1, int(std::lround(100 * kRotatedCellHeight / cell))));
    return font;
}

QPixmap VerticalLabel::drawText(const QString& text, QSize size, const QFont& measureFont, OleColor back, OleColor fore)
{
    QPixmap image(size.expandedTo(QSize(1, 1)));
    QPainter painter(&image);
    paintText(painter, image.rect(), text, measureFont, back, fore);
    return image;
}

void VerticalLabel::paintText(
    QPainter& painter, const QRect& area, const QString& text, const QFont& measureFont, OleColor back, OleColor fore)
{
    painter.save();
    painter.fillRect(area, toQColor(back));
    if (!text.isEmpty()) {
        // Measured with the upright font, as the picture box measures it.
        const double width = QFontMetricsF(measureFont).horizontalAdvance(text);
        const QFont font = rotatedFont(measureFont.family());
        painter.setClipRect(area);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(font);
        painter.setPen(toQColor(fore));
        painter.translate(area.topLeft() + textOrigin(area.height(), width));
        painter.rotate(-90);
        // The print position is the top of the character cell; the cell extends to the right of x = 0.
        painter.drawText(QPointF(0, QFontMetricsF(font).ascent()), text);
    }
    painter.restore();
}

void VerticalLabel::paint(QPainter& painter) const
{
    paintText(painter, geometry(), m_text, font(), m_backColor, fromQColor(palette().color(QPalette::WindowText)));
}

void VerticalLabel::draw()
{
    if (!m_pic)
        return;
    m_pic->setGeometry(0, 0, width(), height());
    m_image = drawText(m_text, size(), font(), m_backColor, fromQColor(palette().color(QPalette::WindowText)));
    m_pic->setPixmap(m_image);
}

void VerticalLabel::resizeEvent(QResizeEvent*) { draw(); }

void VerticalLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        draw();
    QWidget::changeEvent(event);
}

} // namespace lrv
