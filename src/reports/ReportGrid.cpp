#include "reports/ReportGrid.h"

#include "reports/ReportGridDelegate.h"
#include "reports/ReportGroupBox.h"
#include "reports/ReportHeaderView.h"
#include "support/ClipboardHelpers.h"
#include "support/Error.h"

#include <algorithm>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace lrv {

ReportGrid::ReportGrid(QWidget* parent)
    : QWidget(parent)
    , m_model(new ReportRecordsModel(this))
    , m_groupBox(new ReportGroupBox(this))
    , m_view(new QTreeView(this))
    , m_delegate(new ReportGridDelegate(this))
{
    m_view->setObjectName(QStringLiteral("records"));
    auto* header = new ReportHeaderView(m_view);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    m_view->setHeader(header);
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    // Fixed row heights let the view lay out 100,000 rows without asking for each row's size.
    m_view->setUniformRowHeights(true);
    m_view->setWordWrap(false);
    m_view->setRootIsDecorated(false);
    m_view->setAllColumnsShowFocus(false);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->viewport()->installEventFilter(this);
    m_view->installEventFilter(this);
    m_groupBox->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_groupBox);
    layout->addWidget(m_view);

    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ReportGrid::selectionChanged);
    connect(m_groupBox, &ReportGroupBox::columnDropped, this, &ReportGrid::groupByColumn);
    connect(m_groupBox, &ReportGroupBox::removeRequested, this, &ReportGrid::removeGrouping);
    setPaintOptions(m_paintOptions);
}

ReportGrid::~ReportGrid() = default;

void ReportGrid::clearColumns() { m_model->clearColumns(); }

int ReportGrid::addColumn(int itemIndex, const QString& caption, int width, bool resizable)
{
    ReportColumn column;
    column.itemIndex = itemIndex;
    column.caption = caption;
    column.width = width;
    column.resizable = resizable;
    return m_model->addColumn(column);
}

void ReportGrid::setColumnAlignment(int position, Qt::Alignment values, Qt::Alignment header)
{
    m_model->setColumnAlignment(position, values, header);
}

int ReportGrid::columnCount() const { return m_model->columnTotal(); }

QString ReportGrid::columnCaption(int position) const
{
    return position >= 0 && position < columnCount() ? m_model->column(position).caption : QString();
}

int ReportGrid::columnItemIndex(int position) const
{
    return position >= 0 && position < columnCount() ? m_model->column(position).itemIndex : -1;
}

int ReportGrid::columnWidth(int position) const { return m_view->header()->sectionSize(position); }

void ReportGrid::clearRecords()
{
    m_model->clearRecords();
    populate();
}

void ReportGrid::setRowBackground(int record, OleColor color)
{
    for (int position = 0; position < columnCount(); ++position)
        m_model->setItemBackground(record, position, color);
}

void ReportGrid::populate()
{
    m_model->populate();
    if (m_laidOutColumns != m_model->columnsGeneration())
        layOutColumns();
    m_view->setRootIsDecorated(m_model->isGrouped());
    if (m_model->isGrouped()) {
        for (int group = 0; group < m_model->groupCount(); ++group)
            m_view->setFirstColumnSpanned(group, QModelIndex(), true);
        m_view->expandAll();
    }
    m_groupBox->setGroupCaption(m_model->isGrouped() ? columnCaption(m_model->groupColumn()) : QString());
}

void ReportGrid::layOutColumns()
{
    QHeaderView* header = m_view->header();
    // A caption wider than its column would be cut at both ends, being centred: the column widens to it.
    const QFontMetrics metrics = header->fontMetrics();
    const int margins = 2 * (header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2);
    for (int position = 0; position < columnCount(); ++position) {
        const ReportColumn& column = m_model->column(position);
        header->setSectionResizeMode(position, column.resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
        header->resizeSection(position, std::max(column.width, metrics.horizontalAdvance(column.caption) + margins));
    }
    m_laidOutColumns = m_model->columnsGeneration();
}

void ReportGrid::redraw() { m_view->viewport()->update(); }

int ReportGrid::rowCount() const { return m_model->recordCount(); }

QString ReportGrid::itemText(int row, int column) const { return m_model->itemText(row, columnItemIndex(column)); }

std::optional<OleColor> ReportGrid::itemBackground(int row, int column) const
{
    return m_model->itemBackground(row, columnItemIndex(column));
}

void ReportGrid::setPaintOptions(const ReportPaintOptions& options)
{
    m_paintOptions = options;
    m_delegate->setPaintOptions(options);
    QPalette palette = m_view->palette();
    const QPalette standard = m_view->style()->standardPalette();
    for (const QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText }) {
        const QColor active = palette.color(QPalette::Active, role);
        palette.setColor(QPalette::Inactive, role,
            options.highlightSelectionWithoutFocus ? active : standard.color(QPalette::Inactive, role));
    }
    m_view->setPalette(palette);
    redraw();
}

void ReportGrid::setTextFont(const QFont& font)
{
    m_view->setFont(font);
    m_view->header()->setFont(font);
}

int ReportGrid::focusedColumn() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.column() : -1;
}

QList<int> ReportGrid::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows()) {
        const int record = m_model->recordOf(index);
        if (record >= 0)
            rows.append(record);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ReportGrid::selectRow(int row)
{
    const int column = std::max(0, focusedColumn());
    const QModelIndex index = m_model->indexOfRecord(row, std::min(column, std::max(0, columnCount() - 1)));
    if (!index.isValid())
        return;
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

QString ReportGrid::selectedRowsText() const { return m_model->recordsText(selectedRows()); }

void ReportGrid::copySelectedRows()
{
    const QString text = selectedRowsText();
    if (!text.isEmpty())
        ClipboardHelpers::CopyText(text);
}

void ReportGrid::setGroupBoxVisible(bool visible)
{
    m_groupBoxVisible = visible;
    m_groupBox->setVisible(visible);
}

void ReportGrid::groupByColumn(int position)
{
    if (position < 0 || position >= columnCount())
        return;
    m_model->setGroupColumn(position);
    populate();
}

int ReportGrid::groupColumn() const { return m_model->groupColumn(); }

void ReportGrid::removeGrouping()
{
    m_model->setGroupColumn(-1);
    populate();
}

bool ReportGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            emit contextMenuRequested(mouse->globalPosition().toPoint());
    }
    if (watched == m_view && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        bestEffort([this] { copySelectedRows(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lrv
