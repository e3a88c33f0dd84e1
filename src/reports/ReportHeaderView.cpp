#include "reports/ReportHeaderView.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

namespace lrv {

namespace {
    // A press this close to a section edge starts a resize, not a drag.
    const int kResizeMargin = 5;
}

ReportHeaderView::ReportHeaderView(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
}

QString ReportHeaderView::columnMimeType() { return QStringLiteral("application/x-lrv-report-column"); }

void ReportHeaderView::mousePressEvent(QMouseEvent* event)
{
    m_pressedSection = -1;
    if (event->button() == Qt::LeftButton) {
        const QPoint position = event->position().toPoint();
        const int section = logicalIndexAt(position);
        if (section >= 0) {
            const int left = sectionViewportPosition(section);
            const int right = left + sectionSize(section);
            if (position.x() - left > kResizeMargin && right - position.x() > kResizeMargin) {
                m_pressedSection = section;
                m_pressPosition = position;
            }
        }
    }
    QHeaderView::mousePressEvent(event);
}

void ReportHeaderView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const bool leftHeader = position.y() < 0 || position.y() >= height();
    if (m_pressedSection >= 0 && (event->buttons() & Qt::LeftButton) && leftHeader
        && (position - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
        const int section = m_pressedSection;
        m_pressedSection = -1;
        auto* mime = new QMimeData;
        mime->setData(columnMimeType(), QByteArray::number(section));
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->exec(Qt::MoveAction);
        return;
    }
    QHeaderView::mouseMoveEvent(event);
}

void ReportHeaderView::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressedSection = -1;
    QHeaderView::mouseReleaseEvent(event);
}

} // namespace lrv
