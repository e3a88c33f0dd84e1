#include "charts/SwatchLegend.h"

#include <algorithm>

#include <QFrame>
#include <QLabel>

namespace lrv {

namespace {
    constexpr int kSwatchSize = 14;
    constexpr int kRowHeight = 22;
    constexpr int kCaptionGap = 6;
}

SwatchLegend::SwatchLegend(const QList<Entry>& entries, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picLegend"));
    setAutoFillBackground(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    setFont(font);

    int widest = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        auto* frame = new QFrame(this);
        frame->setObjectName(entries[i].swatchName);
        frame->setGeometry(4, 4 + int(i) * kRowHeight + (kRowHeight - kSwatchSize) / 2, kSwatchSize, kSwatchSize);
        auto* caption = new QLabel(entries[i].caption, this);
        caption->adjustSize();
        caption->move(4 + kSwatchSize + kCaptionGap, 4 + int(i) * kRowHeight + (kRowHeight - caption->height()) / 2);
        widest = std::max(widest, caption->width());
        m_swatches.append({ frame, caption, Qt::white, Qt::black });
        paintSwatch(int(i));
    }
    setFixedSize(4 + kSwatchSize + kCaptionGap + widest + 6, 8 + int(entries.size()) * kRowHeight);
}

void SwatchLegend::setSwatchColors(int entry, const QColor& fill, const QColor& border)
{
    if (entry < 0 || entry >= m_swatches.size())
        return;
    m_swatches[entry].fill = fill;
    m_swatches[entry].border = border;
    paintSwatch(entry);
}

void SwatchLegend::setBackColor(const QColor& color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
}

void SwatchLegend::setForeColor(const QColor& color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

void SwatchLegend::paintSwatch(int entry)
{
    const Swatch& swatch = m_swatches[entry];
    swatch.frame->setStyleSheet(QStringLiteral("QFrame { background-color: %1; border: 1px solid %2; }")
                                    .arg(swatch.fill.name(), swatch.border.name()));
}

} // namespace lrv
