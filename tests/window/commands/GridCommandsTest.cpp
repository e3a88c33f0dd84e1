// The quantile chart and report linked both ways, the report grid menu and the statistics menu.
#include "WindowFixture.h"
#include "reports/PropertyGrid.h"
#include "reports/PropertyGridAdapter.h"
#include "reports/ReportGrid.h"
#include "reports/grid/ReportTestTables.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

namespace lrv::test {
namespace {

    class GridCommands : public WindowFixture {
    protected:
        void SetUp() override
        {
            WindowFixture::SetUp();
            core->calculation = [](CalculateViewInter& view) {
                view.SetDecileStats(Vector<Variant>({ 40, 4, 10, 30, 0.25, 0, 0.6, 0.3, 0.5 }));
                // Four quantiles of five records; 4, 3, 2 and 1 positives.
                view.SetDecileResults(40,
                    variantRows({ { 1, 1, 0.75, 4, 1, 5, 0.8, 80, 0.2, 20, 4, 40 },
                                    { 2, 0.75, 0.5, 3, 2, 5, 0.6, 60, 0.4, 40, 7, 70 },
                                    { 3, 0.5, 0.25, 2, 3, 5, 0.4, 40, 0.6, 60, 9, 90 },
                                    { 4, 0.25, 0, 1, 4, 5, 0.2, 20, 0.8, 80, 10, 100 } },
                        1));
                view.ShowROC(rocTable(6), 0.75, 3);
            };
            window = openShown(1129);
            grid = find<ReportGrid>(*window, "rcDecile");
            ASSERT_TRUE(grid);
        }

        /// Clicks the grid row of a record with a mouse button (its first column, or `column`).
        void clickRow(int row, Qt::MouseButton button = Qt::LeftButton, int column = 0)
        {
            QTreeView* view = grid->view();
            const QModelIndex index = view->model()->index(row, column);
            ASSERT_TRUE(index.isValid()) << "row " << row;
            QTest::mouseClick(view->viewport(), button, {}, view->visualRect(index).center());
        }
        QAction* action(const QString& name) { return find<QAction>(*window, name); }
        static QString clipboard() { return QGuiApplication::clipboard()->text(); }

        std::unique_ptr<frmDecile> window;
        ReportGrid* grid = nullptr;
    };

    TEST_F(GridCommands, QuantileBarsAndGridRowsSelectEachOtherOnlyOnTheQuantileTab)
    {
        auto* bars = dynamic_cast<RecordingQuantileChart*>(window->findChild<QWidget*>("chQuantile"));
        ASSERT_TRUE(bars);
        ASSERT_EQ(grid->rowCount(), 4);
        emit bars->PointSelected(3);
        EXPECT_EQ(grid->selectedRows(), QList<int> { 2 });
        emit bars->PointSelected(1);
        EXPECT_EQ(grid->selectedRows(), QList<int> { 0 }) << "the earlier selection is cleared";
        clickRow(3);
        ASSERT_FALSE(bars->shownPoints.empty());
        EXPECT_EQ(bars->shownPoints.back(), 3);
        const std::size_t shown = bars->shownPoints.size();

        find<QTabBar>(*window, "ssReports")->setCurrentIndex(1);
        ASSERT_EQ(grid->rowCount(), 6); // the ROC report
        clickRow(4);
        EXPECT_EQ(grid->selectedRows(), QList<int> { 4 });
        emit bars->PointSelected(3);
        EXPECT_EQ(grid->selectedRows(), QList<int> { 4 });
        EXPECT_EQ(bars->shownPoints.size(), shown);
    }

    TEST_F(GridCommands, TheGridMenuActsOnTheReportOfTheCurrentTabAndOnTheSelectionWhenThereIsOne)
    {
        auto* menu = find<QMenu>(*window, "mnuTable");
        QWidget* rows = grid->view()->viewport();
        ASSERT_GT(rows->height(), grid->view()->visualRect(grid->view()->model()->index(3, 0)).bottom() + 4);
        const auto enabled = [&] {
            std::vector<bool> items;
            for (int item : { 0, 1, 2, 4 })
                items.push_back(action(QStringLiteral("mnuTableCopy(%1)").arg(item))->isEnabled());
            return items;
        };
        const auto captions = [&] {
            QStringList shown;
            for (int c = 0; c < grid->columnCount(); ++c)
                shown << grid->columnCaption(c);
            return shown.join('\t');
        };
        QTest::mouseClick(rows, Qt::RightButton, {}, QPoint(10, rows->height() - 2)); // below the last row
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(enabled(), (std::vector<bool> { true, false, false, true }));
        menu->hide();
        action("mnuTableCopy(0)")->trigger();
        QStringList lines = clipboard().split("\r\n");
        ASSERT_EQ(lines.size(), 5);
        EXPECT_EQ(lines[0], captions());
        EXPECT_EQ(lines[1], "1\t1\t0.75\t4\t1\t5\t80\t20\t4\t40\t\t") << "raw values; this host tells no intervals";

        clickRow(0, Qt::RightButton, 3);
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(enabled(), (std::vector<bool> { true, true, true, true }));
        menu->hide();
        action("mnuTableCopy(1)")->trigger();
        EXPECT_EQ(clipboard(), grid->columnCaption(3) + "\r\n4\r\n3\r\n2\r\n1");
        action("mnuTableCopy(2)")->trigger();
        EXPECT_TRUE(clipboard().startsWith("1\t1\t0.75\t4\t1\t5\t80.00%")) << clipboard().toStdString();

        // Hiding the group box ends the grouping; showing it again does not bring it back.
        QAction* groupBox = action("mnuTableCopy(4)");
        groupBox->trigger();
        EXPECT_TRUE(grid->isGroupBoxVisible());
        grid->groupByColumn(3);
        groupBox->trigger();
        groupBox->trigger();
        EXPECT_EQ(grid->groupColumn(), -1);
        EXPECT_EQ(grid->view()->model()->rowCount(), 4);

        find<QTabBar>(*window, "ssReports")->setCurrentIndex(1);
        action("mnuTableCopy(0)")->trigger();
        lines = clipboard().split("\r\n");
        ASSERT_EQ(lines.size(), 7);
        EXPECT_EQ(lines[0], captions());
    }

    TEST_F(GridCommands, StatisticsMenuCopiesAndPrintsTheGridText)
    {
        auto* properties = find<PropertyGrid>(*window, "pgProperties");
        ASSERT_TRUE(properties && window->statsAdapter());
        QWidget* rows = properties->view()->viewport();
        // The menu request that the platform makes of a right click.
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(20, 10), rows->mapToGlobal(QPoint(20, 10)));
        QCoreApplication::sendEvent(rows, &request);
        EXPECT_TRUE(find<QMenu>(*window, "ctxProperties")->isVisible());
        find<QMenu>(*window, "ctxProperties")->hide();

        QGuiApplication::clipboard()->setText("old");
        action("mnuProperties(0)")->trigger();
        EXPECT_EQ(clipboard(), window->statsAdapter()->ToString());
        EXPECT_TRUE(clipboard().contains("Total Cases\t40")) << clipboard().toStdString();
        action("mnuProperties(2)")->trigger();
        EXPECT_EQ(platform->printerDialogs, 1);
        EXPECT_EQ(platform->printedDocuments.size(), 1);
    }

}
} // namespace lrv::test
