#include "reports/PropertyGrid.h"

#include "support/Error.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTreeWidget>

namespace lrv::test {
namespace {

    TEST(PropertyGrid, ItemsInsertAtTheirPositionAndShowTheirKind)
    {
        PropertyGrid grid;
        PropertyGrid::Item category = grid.addCategory("Stats");
        category.addChild(PropertyGrid::DoubleKind, "Area", 0.1 + 0.2);
        category.addChild(PropertyGrid::IntegerKind, "Count", 2.6);
        category.insertChild(1, PropertyGrid::TextKind, "Note", "ok");
        EXPECT_EQ(category.child(1).caption(), "Note");
        EXPECT_EQ(category.child(2).valueText(), "3");
        EXPECT_EQ(grid.view()->topLevelItem(0)->child(0)->text(1), "0.3") << "what the value column shows";
        EXPECT_THROW(category.insertChild(4, PropertyGrid::TextKind, "Late", "x"), Error);
        EXPECT_THROW(category.child(3), Error);
        EXPECT_THROW(grid.category(1), Error);
        category.removeChild(1);
        EXPECT_EQ(category.childCount(), 2);
    }

    TEST(PropertyGrid, OnlyFreeItemsAcceptEditsOfTheirKind)
    {
        PropertyGrid grid;
        PropertyGrid::Item category = grid.addCategory("Stats");
        PropertyGrid::Item number = category.addChild(PropertyGrid::DoubleKind, "Area", 0.5);
        PropertyGrid::Item count = category.addChild(PropertyGrid::IntegerKind, "Count", 2);
        category.addChild(PropertyGrid::DoubleKind, "Locked", 1.0).setReadOnly(true);
        category.addChild(PropertyGrid::DoubleKind, "Fixed", 1.0).setConstraintEdit(true);
        // What an item editor commits: the value column's edit role through the tree's model.
        QAbstractItemModel* model = grid.view()->model();
        const auto edit = [&](int row, const QString& text) {
            model->setData(model->index(row, 1, model->index(0, 0)), text, Qt::EditRole);
            return category.child(row).value();
        };
        EXPECT_EQ(edit(0, "0.75"), Variant(0.75));
        EXPECT_EQ(edit(0, "abc"), Variant(0.75));
        EXPECT_EQ(edit(1, "2.5"), Variant(2));
        EXPECT_EQ(edit(2, "9"), Variant(1.0));
        EXPECT_EQ(edit(3, "9"), Variant(1.0));
        EXPECT_EQ(number.value(), Variant(0.75));
        EXPECT_EQ(count.value(), Variant(2));
    }

    TEST(PropertyGrid, AnEmptyCategoryKeepsItsExpandedStateAndMenuRequestsComeFromMouseAndKeyboard)
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
