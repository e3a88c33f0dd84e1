#include "charts/TickLabelLayer.h"

#include "charts/ChartPicture.h"

#include <QPainter>

namespace lrv {

TickLabelLayer::TickLabelLayer(const ChartPicture& picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(picture)
{
    setObjectName(QStringLiteral("tickLabels"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TickLabelLayer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPicture(painter, m_picture, PictureParts::LabelsOnly);
}

} // namespace lrv
