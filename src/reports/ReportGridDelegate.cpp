#include "reports/ReportGridDelegate.h"

#include <QPainter>
#include <QPen>

namespace lrv {

namespace {
    Qt::PenStyle penStyle(GridLineStyle style)
    {
        switch (style) {
        case GridLineStyle::SmallDots:
            return Qt::DotLine;
        case GridLineStyle::LargeDots:
            return Qt::DashLine;
        case GridLineStyle::Dashes:
            return Qt::DashDotLine;
        case GridLineStyle::Solid:
            return Qt::SolidLine;
        case GridLineStyle::None:
            break;
        }
        return Qt::NoPen;
    }
}

ReportGridDelegate::ReportGridDelegate(QObject* parent)
    : ElidingItemDelegate(parent)
{
}

void ReportGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QRect& cell = option.rect;
    painter->save();
    if (m_options.horizontalGridStyle != GridLineStyle::None) {
        painter->setPen(QPen(toQColor(m_options.gridLineColor), 1, penStyle(m_options.horizontalGridStyle)));
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    }
    if (m_options.verticalGridStyle != GridLineStyle::None) {
        painter->setPen(QPen(toQColor(m_options.gridLineColor), 1, penStyle(m_options.verticalGridStyle)));
        painter->drawLine(cell.topRight(), cell.bottomRight());
    }
    painter->restore();
}

} // namespace lrv
