#include "reports/ReportGroupBox.h"

#include "reports/ReportHeaderView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QToolButton>

namespace lrv {

ReportGroupBox::ReportGroupBox(QWidget* parent)
    : QFrame(parent)
    , m_hint(new QLabel(tr("Drag a column header here to group by that column"), this))
    , m_group(new QToolButton(this))
{
    setObjectName(QStringLiteral("groupBox"));
    setFrameShape(QFrame::StyledPanel);
    setAcceptDrops(true);
    m_hint->setEnabled(false);
    m_group->setObjectName(QStringLiteral("groupColumn"));
    m_group->setToolTip(tr("Click to remove the grouping"));
    m_group->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_group->hide();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_hint);
    layout->addWidget(m_group);
    layout->addStretch();
    connect(m_group, &QToolButton::clicked, this, &ReportGroupBox::removeRequested);
}

void ReportGroupBox::setGroupCaption(const QString& caption)
{
    m_caption = caption;
    m_group->setText(caption.isEmpty() ? QString() : caption + QStringLiteral("  \u2715"));
    m_group->setVisible(!caption.isEmpty());
    m_hint->setVisible(caption.isEmpty());
}

QString ReportGroupBox::groupCaption() const { return m_caption; }

void ReportGroupBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(ReportHeaderView::columnMimeType()))
        event->acceptProposedAction();
}

void ReportGroupBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(ReportHeaderView::columnMimeType()))
        event->acceptProposedAction();
}

void ReportGroupBox::dropEvent(QDropEvent* event)
{
    bool ok = false;
    const int position = event->mimeData()->data(ReportHeaderView::columnMimeType()).toInt(&ok);
    if (!ok)
        return;
    event->acceptProposedAction();
    emit columnDropped(position);
}

} // namespace lrv
