#pragma once

#include "support/Variant.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace lrv {

/// A property grid: categories holding captioned, typed items in two columns (caption, value).
/// Items can be hidden, expanded, selected and made read-only; the value column is edited only for
/// items that are neither read-only nor constrained ("ConstraintEdit"), and only with a value of the
/// item's kind.
class PropertyGrid : public QWidget {
    Q_OBJECT
public:
    /// Item kinds, numbered as the host's grid numbers them.
    enum Kind : int {
        TextKind = 0,
        IntegerKind = 1,
        DoubleKind = 5,
    };

    /// A handle on one row (a category or an item); valid while the row is in the grid.
    class Item {
    public:
        Item() = default;

        bool isNull() const { return m_item == nullptr; }
        bool isCategory() const;

        QString caption() const;
        int kind() const;
        Variant value() const;
        void setValue(const Variant& value);
        /// The value as the grid shows it.
        QString valueText() const;

        bool isHidden() const;
        void setHidden(bool hidden);
        bool isExpanded() const;
        void setExpanded(bool expanded);
        bool isSelected() const;
        void select();
        bool isReadOnly() const;
        void setReadOnly(bool readOnly);
        bool constraintEdit() const;
        void setConstraintEdit(bool constrained);
        /// True when the user may edit the value.
        bool isEditable() const;

        int childCount() const;
        /// The child at a zero-based position; a position out of range throws lrv::Error.
        Item child(int position) const;
        QList<Item> children() const;
        Item addChild(int kind, const QString& caption, const Variant& value);
        /// Inserts before the zero-based position; a position past the end throws lrv::Error.
        Item insertChild(int position, int kind, const QString& caption, const Variant& value);
        /// Removes the child at a zero-based position; a position out of range throws lrv::Error.
        void removeChild(int position);
        void clearChildren();

        bool operator==(const Item& other) const = default;

    private:
        friend class PropertyGrid;
        explicit Item(QTreeWidgetItem* item)
            : m_item(item)
        {
        }
        QTreeWidgetItem* checked() const;

        QTreeWidgetItem* m_item = nullptr;
    };

    explicit PropertyGrid(QWidget* parent = nullptr);

    void clear();
    int categoryCount() const;
    /// The category at a zero-based position; a position out of range throws lrv::Error.
    Item category(int position) const;
    QList<Item> categories() const;
    Item addCategory(const QString& caption);
    /// The selected row, or a null item.
    Item selectedItem() const;

    /// The tree that shows the grid.
    QTreeWidget* view() const { return m_tree; }

signals:
    /// The user asked for the pop-up menu (right mouse button or the menu key); globalPos in screen
    /// coordinates.
    void PopupRequested(const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidget* m_tree;
};

} // namespace lrv
