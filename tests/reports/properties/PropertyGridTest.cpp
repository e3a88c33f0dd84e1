#include "reports/PropertyGrid.h"

#include "support/Error.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTreeWidget>

namespace lrv::test {
namespace {

    // What an item editor commits: the value column's edit role through the tree's model.
    bool commitEdit(PropertyGrid& grid, QTreeWidgetItem* item, const QString& text)
    {
        QTreeWidget* tree = grid.view();
        const QModelIndex index = tree->model()->index(tree->indexOfTopLevelItem(item->parent()), 0);
        const QModelIndex cell = tree->model()->index(item->parent()->indexOfChild(item), 1, index);
        return tree->model()->setData(cell, text, Qt::EditRole);
    }

    QTreeWidgetItem* treeItem(PropertyGrid& grid, int category, int row)
    {
        return grid.view()->topLevelItem(category)->child(row);
    }

    TEST(PropertyGrid, ItemsInsertAtPositionAndShowTheirKind)
    {
        PropertyGrid grid;
        PropertyGrid::Item category = grid.addCategory("Stats");
        category.addChild(PropertyGrid::DoubleKind, "Area", 0.1 + 0.2);
        category.addChild(PropertyGrid::IntegerKind, "Count", 2.6);
        category.insertChild(1, PropertyGrid::TextKind, "Note", "ok");

        EXPECT_EQ(category.child(0).caption(), "Area");
        EXPECT_EQ(category.child(1).caption(), "Note");
        EXPECT_EQ(category.child(0).valueText(), "0.3");
        EXPECT_EQ(category.child(2).valueText(), "3");
        // What the user sees in the value column.
        EXPECT_EQ(grid.view()->topLevelItem(0)->child(0)->text(1), "0.3");
        EXPECT_TRUE(grid.view()->topLevelItem(0)->text(1).isEmpty());

        EXPECT_THROW(category.insertChild(4, PropertyGrid::TextKind, "Late", "x"), Error);
        EXPECT_THROW(category.child(3), Error);
        EXPECT_THROW(grid.category(1), Error);
        category.removeChild(1);
        EXPECT_EQ(category.childCount(), 2);
    }

    TEST(PropertyGrid, ExpandedStateOfAnEmptyCategorySurvivesNewRows)
    {
        PropertyGrid grid;
        PropertyGrid::Item open = grid.addCategory("Open");
        PropertyGrid::Item closed = grid.addCategory("Closed");
        closed.setExpanded(false);
        open.setExpanded(true);
        open.addChild(PropertyGrid::TextKind, "a", "1");
        closed.addChild(PropertyGrid::TextKind, "b", "2");
        EXPECT_TRUE(grid.view()->topLevelItem(0)->isExpanded());
        EXPECT_FALSE(grid.view()->topLevelItem(1)->isExpanded());
        EXPECT_TRUE(open.isExpanded());
        EXPECT_FALSE(closed.isExpanded());
    }

    TEST(PropertyGrid, OnlyFreeItemsAcceptEditsOfTheirKind)
    {
        PropertyGrid grid;
        PropertyGrid::Item category = grid.addCategory("Stats");
        PropertyGrid::Item number = category.addChild(PropertyGrid::DoubleKind, "Area", 0.5);
        PropertyGrid::Item count = category.addChild(PropertyGrid::IntegerKind, "Count", 2);
        PropertyGrid::Item locked = category.addChild(PropertyGrid::DoubleKind, "Locked", 1.0);
        PropertyGrid::Item constrained = category.addChild(PropertyGrid::DoubleKind, "Fixed", 1.0);
        locked.setReadOnly(true);
        constrained.setConstraintEdit(true);

        commitEdit(grid, treeItem(grid, 0, 0), "0.75");
        EXPECT_EQ(number.value(), Variant(0.75));
        commitEdit(grid, treeItem(grid, 0, 0), "abc");
        EXPECT_EQ(number.value(), Variant(0.75));
        commitEdit(grid, treeItem(grid, 0, 1), "2.5");
        EXPECT_EQ(count.value(), Variant(2));
        commitEdit(grid, treeItem(grid, 0, 2), "9");
        commitEdit(grid, treeItem(grid, 0, 3), "9");
        EXPECT_EQ(locked.value(), Variant(1.0));
        EXPECT_EQ(constrained.value(), Variant(1.0));
        EXPECT_FALSE(treeItem(grid, 0, 2)->flags() & Qt::ItemIsEditable);
        EXPECT_FALSE(treeItem(grid, 0, 3)->flags() & Qt::ItemIsEditable);
        EXPECT_TRUE(treeItem(grid, 0, 0)->flags() & Qt::ItemIsEditable);
    }

    TEST(PropertyGrid, RightClickAndMenuKeyRaiseThePopUpRequest)
    {
        PropertyGrid grid;
        grid.addCategory("Stats");
        grid.resize(300, 200);
        QList<QPoint> requests;
        QObject::connect(&grid, &PropertyGrid::PopupRequested, [&](const QPoint& at) { requests.append(at); });
        QWidget* viewport = grid.view()->viewport();
        QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(10, 5), viewport->mapToGlobal(QPoint(10, 5)));
        QApplication::sendEvent(viewport, &mouse);
        QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(1, 1), viewport->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(viewport, &keyboard);
        ASSERT_EQ(requests.size(), 2);
        EXPECT_EQ(requests.front(), viewport->mapToGlobal(QPoint(10, 5)));
    }

} // namespace
} // namespace lrv::test
