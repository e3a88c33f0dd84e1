#include "reports/PropertyGrid.h"

#include "reports/ElidingItemDelegate.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <cmath>

#include <QFont>
#include <QHeaderView>
#include <QResizeEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lrv {

namespace {
    constexpr int kCaptionColumn = 0;
    constexpr int kValueColumn = 1;

    /// One row of the grid with its typed value and flags; the value column shows the value by kind.
    class PropertyRow : public QTreeWidgetItem {
    public:
        PropertyRow(bool category, int kind, const QString& caption, const Variant& value)
            : m_category(category)
            , m_kind(kind)
            , m_value(value)
            , m_expanded(category)
        {
            setText(kCaptionColumn, caption);
            updateFlags();
        }

        bool isCategory() const { return m_category; }
        int kind() const { return m_kind; }
        const Variant& value() const { return m_value; }
        void setValue(const Variant& value)
        {
            m_value = value;
            emitDataChanged();
        }

        bool readOnly() const { return m_readOnly; }
        void setReadOnly(bool readOnly)
        {
            m_readOnly = readOnly;
            updateFlags();
        }
        bool constraintEdit() const { return m_constraintEdit; }
        void setConstraintEdit(bool constrained)
        {
            m_constraintEdit = constrained;
            updateFlags();
        }
        bool editable() const { return !m_category && !m_readOnly && !m_constraintEdit; }

        // The tree forgets the expanded state of a row without children, so the row keeps its own and
        // hands it to the tree again when children arrive.
        bool expanded() const { return m_expanded; }
        void setExpandedState(bool expanded)
        {
            m_expanded = expanded;
            QTreeWidgetItem::setExpanded(expanded);
        }
        void reapplyExpanded() { QTreeWidgetItem::setExpanded(m_expanded); }

        QString valueText() const
        {
            if (m_kind == PropertyGrid::IntegerKind && m_value.isNumeric())
                return defaultNumberText(std::nearbyint(m_value.toDouble()));
            if (m_kind == PropertyGrid::DoubleKind && m_value.isNumeric())
                return defaultNumberText(m_value.toDouble());
            return m_value.text();
        }

        QVariant data(int column, int role) const override
        {
            if (m_category && role == Qt::FontRole) {
                QFont font = treeWidget() ? treeWidget()->font() : QFont();
                font.setBold(true);
                return font;
            }
            if (m_category && role == Qt::BackgroundRole && treeWidget())
                return treeWidget()->palette().brush(QPalette::Button);
            if (column == kValueColumn && (role == Qt::DisplayRole || role == Qt::EditRole))
                return m_category ? QVariant() : QVariant(valueText());
            if (column == kValueColumn && role == Qt::ToolTipRole && !m_category)
                return valueText();
            return QTreeWidgetItem::data(column, role);
        }

        // An edit commits only a value of the row's kind; anything else keeps the old value.
        void setData(int column, int role, const QVariant& data) override
        {
            if (role != Qt::EditRole) {
                QTreeWidgetItem::setData(column, role, data);
                return;
            }
            // Captions are never edited.
            if (column != kValueColumn || !editable())
                return;
            const QString text = data.toString();
            if (m_kind == PropertyGrid::TextKind) {
                setValue(Variant(text));
                return;
            }
            double number = 0;
            if (!parseNumberText(text.trimmed(), number))
                return;
            if (m_kind == PropertyGrid::IntegerKind && number != std::nearbyint(number))
                return;
            setValue(Variant(number));
        }

    private:
        void updateFlags()
        {
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (editable())
                flags |= Qt::ItemIsEditable;
            setFlags(flags);
        }

        bool m_category;
        int m_kind;
        Variant m_value;
        bool m_readOnly = false;
        bool m_constraintEdit = false;
        bool m_expanded;
    };

    PropertyRow* row(QTreeWidgetItem* item) { return static_cast<PropertyRow*>(item); }
}

QTreeWidgetItem* PropertyGrid::Item::checked() const
{
    if (!m_item)
        throw Error(QStringLiteral("The property grid row does not exist."));
    return m_item;
}

bool PropertyGrid::Item::isCategory() const { return row(checked())->isCategory(); }
QString PropertyGrid::Item::caption() const { return checked()->text(kCaptionColumn); }
int PropertyGrid::Item::kind() const { return row(checked())->kind(); }
Variant PropertyGrid::Item::value() const { return row(checked())->value(); }
void PropertyGrid::Item::setValue(const Variant& value) { row(checked())->setValue(value); }
QString PropertyGrid::Item::valueText() const { return row(checked())->valueText(); }
bool PropertyGrid::Item::isHidden() const { return checked()->isHidden(); }
void PropertyGrid::Item::setHidden(bool hidden) { checked()->setHidden(hidden); }
bool PropertyGrid::Item::isExpanded() const { return row(checked())->expanded(); }
void PropertyGrid::Item::setExpanded(bool expanded) { row(checked())->setExpandedState(expanded); }
bool PropertyGrid::Item::isSelected() const { return checked()->isSelected(); }
bool PropertyGrid::Item::isReadOnly() const { return row(checked())->readOnly(); }
void PropertyGrid::Item::setReadOnly(bool readOnly) { row(checked())->setReadOnly(readOnly); }
bool PropertyGrid::Item::constraintEdit() const { return row(checked())->constraintEdit(); }
void PropertyGrid::Item::setConstraintEdit(bool constrained) { row(checked())->setConstraintEdit(constrained); }
bool PropertyGrid::Item::isEditable() const { return row(checked())->editable(); }
int PropertyGrid::Item::childCount() const { return checked()->childCount(); }

void PropertyGrid::Item::select()
{
    QTreeWidgetItem* item = checked();
    if (QTreeWidget* tree = item->treeWidget()) {
        tree->setCurrentItem(item, kCaptionColumn, QItemSelectionModel::ClearAndSelect);
        tree->scrollToItem(item);
    } else {
        item->setSelected(true);
    }
}

PropertyGrid::Item PropertyGrid::Item::child(int position) const
{
    QTreeWidgetItem* item = checked();
    if (position < 0 || position >= item->childCount())
        throw Error(QStringLiteral("\"%1\" has no row at position %2 (it has %3 rows).")
                        .arg(item->text(kCaptionColumn))
                        .arg(position + 1)
                        .arg(item->childCount()));
    return Item(item->child(position));
}

QList<PropertyGrid::Item> PropertyGrid::Item::children() const
{
    QList<Item> list;
    QTreeWidgetItem* item = checked();
    for (int i = 0; i < item->childCount(); ++i)
        list.append(Item(item->child(i)));
    return list;
}

PropertyGrid::Item PropertyGrid::Item::addChild(int kind, const QString& caption, const Variant& value)
{
    return insertChild(checked()->childCount(), kind, caption, value);
}

PropertyGrid::Item PropertyGrid::Item::insertChild(int position, int kind, const QString& caption, const Variant& value)
{
    QTreeWidgetItem* item = checked();
    if (position < 0 || position > item->childCount())
        throw Error(QStringLiteral("A row cannot be inserted at position %1 of \"%2\", which has %3 rows.")
                        .arg(position)
                        .arg(item->text(kCaptionColumn))
                        .arg(item->childCount()));
    auto* child = new PropertyRow(false, kind, caption, value);
    item->insertChild(position, child);
    row(item)->reapplyExpanded();
    return Item(child);
}

void PropertyGrid::Item::removeChild(int position) { delete child(position).m_item; }

void PropertyGrid::Item::clearChildren() { qDeleteAll(checked()->takeChildren()); }

PropertyGrid::PropertyGrid(QWidget* parent)
    : QWidget(parent)
    , m_tree(new QTreeWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);

    m_tree->setColumnCount(2);
    m_tree->setHeaderHidden(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setUniformRowHeights(true);
    m_tree->setAlternatingRowColors(false);
    m_tree->setWordWrap(false);
    m_tree->setItemDelegate(new ElidingItemDelegate(m_tree));
    m_tree->header()->setStretchLastSection(true);
    m_tree->header()->setSectionResizeMode(kCaptionColumn, QHeaderView::Interactive);
    m_tree->setColumnWidth(kCaptionColumn, 170);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);

    // Only the value column opens an editor, and only for rows that allow it.
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        if (row(item)->editable())
            m_tree->editItem(item, kValueColumn);
    });
    connect(m_tree, &QTreeWidget::itemExpanded, this, [](QTreeWidgetItem* item) { row(item)->setExpandedState(true); });
    connect(
        m_tree, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem* item) { row(item)->setExpandedState(false); });
    connect(m_tree, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { emit PopupRequested(m_tree->viewport()->mapToGlobal(pos)); });
}

void PropertyGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Long captions ("Optimal Cutoff Point (Youden Index)") need more room than the values.
    m_tree->setColumnWidth(kCaptionColumn, event->size().width() * 3 / 5);
}

void PropertyGrid::clear() { m_tree->clear(); }

int PropertyGrid::categoryCount() const { return m_tree->topLevelItemCount(); }

PropertyGrid::Item PropertyGrid::category(int position) const
{
    if (position < 0 || position >= m_tree->topLevelItemCount())
        throw Error(QStringLiteral("The property grid has no category at position %1 (it has %2).")
                        .arg(position + 1)
                        .arg(m_tree->topLevelItemCount()));
    return Item(m_tree->topLevelItem(position));
}

QList<PropertyGrid::Item> PropertyGrid::categories() const
{
    QList<Item> list;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        list.append(Item(m_tree->topLevelItem(i)));
    return list;
}

PropertyGrid::Item PropertyGrid::addCategory(const QString& caption)
{
    auto* category = new PropertyRow(true, TextKind, caption, Variant());
    m_tree->addTopLevelItem(category);
    category->setFirstColumnSpanned(true);
    category->reapplyExpanded();
    return Item(category);
}

PropertyGrid::Item PropertyGrid::selectedItem() const
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? Item() : Item(selected.front());
}

} // namespace lrv
