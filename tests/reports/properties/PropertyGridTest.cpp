#include "reports/PropertyGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTreeWidget>

namespace lrv::test {
namespace {

    TEST(PropertyGrid, AnEmptyCategoryKeepsItsExpandedStateAndTheKeyboardAsksForTheMenuToo)
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

        int requests = 0;
        QObject::connect(&grid, &PropertyGrid::PopupRequested, [&] { ++requests; });
        QWidget* viewport = grid.view()->viewport();
        QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(1, 1), viewport->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(viewport, &keyboard);
        EXPECT_EQ(requests, 1);
    }

} // namespace
} // namespace lrv::test
