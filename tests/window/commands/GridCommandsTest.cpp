// The quantile chart and report linked both ways, the report grid menu and the statistics menu.
#include "CommandWindow.h"
#include "reports/PropertyGrid.h"
#include "reports/PropertyGridAdapter.h"
#include "reports/ReportGrid.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

namespace lrv::test {
namespace {

    Table<double> rocTable(int rows)
    {
        TableBuilder<double> builder(0, rows - 1, 0, 15);
        for (int r = 0; r < rows; ++r) {
            builder.set(r, 0, r + 1);
            builder.set(r, 1, r % 2);
            builder.set(r, 2, 1.0 - double(r) / rows);
        }
        return builder.build();
    }

    class GridCommands : public CommandWindow {
    protected:
        void SetUp() override
        {
            CommandWindow::SetUp();
            core->calculation = [](CalculateViewInter& view) {
                view.SetDecileStats(Vector<Variant>({ 40, 4, 10, 30, 0.25, 0, 0.6, 0.3, 0.5 }));
                view.SetDecileResults(40, decileResults(4));
                view.ShowROC(rocTable(6), 0.75, 3);
            };
        }

        QString clipboardText() const { return QGuiApplication::clipboard()->text(); }

        /// Clicks the grid row of a record with a mouse button (its first column, or `column`).
        static void clickRow(ReportGrid* grid, int row, Qt::MouseButton button = Qt::LeftButton, int column = 0)
        {
            QTreeView* view = grid->view();
            const QModelIndex index = view->model()->index(row, column);
            ASSERT_TRUE(index.isValid()) << "row " << row;
            QTest::mouseClick(view->viewport(), button, {}, view->visualRect(index).center());
        }

        static QAction* action(QWidget& window, const QString& name) { return find<QAction>(window, name); }
    };

    TEST_F(GridCommands, QuantileBarSelectsItsGridRowOnlyOnTheQuantileTab)
    {
        auto window = openShown(1129);
        auto* grid = find<ReportGrid>(*window, "rcDecile");
        auto* bars = dynamic_cast<RecordingQuantileChart*>(window->findChild<QWidget*>("chQuantile"));
        ASSERT_TRUE(grid && bars);
        ASSERT_EQ(grid->rowCount(), 4);

        emit bars->PointSelected(3);
        EXPECT_EQ(grid->selectedRows(), QList<int> { 2 });
        emit bars->PointSelected(1);
        EXPECT_EQ(grid->selectedRows(), QList<int> { 0 }) << "the earlier selection is cleared";

        find<QTabBar>(*window, "ssReports")->setCurrentIndex(1);
        ASSERT_EQ(grid->rowCount(), 6); // the ROC report
        clickRow(grid, 4);
        const QList<int> before = grid->selectedRows();
        emit bars->PointSelected(3);
        EXPECT_EQ(grid->selectedRows(), before);
    }

    TEST_F(GridCommands, GridSelectionShowsTheQuantileBarOnlyOnTheQuantileTab)
    {
        auto window = openShown(1129);
        auto* grid = find<ReportGrid>(*window, "rcDecile");
        auto* bars = dynamic_cast<RecordingQuantileChart*>(window->findChild<QWidget*>("chQuantile"));
        ASSERT_TRUE(grid && bars);
        clickRow(grid, 3);
        ASSERT_FALSE(bars->shownPoints.empty());
        EXPECT_EQ(bars->shownPoints.back(), 3);

        find<QTabBar>(*window, "ssReports")->setCurrentIndex(1);
        const std::size_t shown = bars->shownPoints.size();
        clickRow(grid, 1);
        EXPECT_EQ(grid->selectedRows(), QList<int> { 1 });
        EXPECT_EQ(bars->shownPoints.size(), shown);
    }

    TEST_F(GridCommands, RightClickEnablesTheSelectionItemsOnlyWithSelectedRows)
    {
        auto window = openShown(1129);
        auto* grid = find<ReportGrid>(*window, "rcDecile");
        auto* menu = find<QMenu>(*window, "mnuTable");
        ASSERT_TRUE(grid && menu);
        QWidget* rows = grid->view()->viewport();
        ASSERT_GT(rows->height(), grid->view()->visualRect(grid->view()->model()->index(3, 0)).bottom() + 4)
            << "room below the last row";

        QTest::mouseClick(rows, Qt::RightButton, {}, QPoint(10, rows->height() - 2));
        EXPECT_TRUE(grid->selectedRows().isEmpty());
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(action(*window, "mnuTableCopy(0)")->isEnabled());
        EXPECT_FALSE(action(*window, "mnuTableCopy(1)")->isEnabled());
        EXPECT_FALSE(action(*window, "mnuTableCopy(2)")->isEnabled());
        EXPECT_TRUE(action(*window, "mnuTableCopy(4)")->isEnabled());
        menu->hide();

        clickRow(grid, 2, Qt::RightButton);
        EXPECT_EQ(grid->selectedRows(), QList<int> { 2 });
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(action(*window, "mnuTableCopy(1)")->isEnabled());
        EXPECT_TRUE(action(*window, "mnuTableCopy(2)")->isEnabled());
        menu->hide();
    }

    TEST_F(GridCommands, CopyItemsCopyTheReportOfTheCurrentTab)
    {
        auto window = openShown(1129);
        auto* grid = find<ReportGrid>(*window, "rcDecile");
        ASSERT_TRUE(grid);
        const QStringList captions = { "Quantile", "Upper Boundary", "Lower Boundary", "Positive Cases",
            "Negative Cases", "Total Cases", "Positive Cases %", "Negative Cases %", "Cumulative Positives",
            "Cumulative Positives %", "Positive Rate 95 % Low", "Positive Rate 95 % High" };

        action(*window, "mnuTableCopy(0)")->trigger();
        QStringList lines = clipboardText().split("\r\n");
        ASSERT_EQ(lines.size(), 5);
        EXPECT_EQ(lines[0], captions.join('\t'));
        // Raw values, no percent captions; this host tells no intervals.
        EXPECT_EQ(lines[1], "1\t1\t0.75\t4\t1\t5\t80\t20\t4\t40\t\t");

        clickRow(grid, 0, Qt::LeftButton, 3);
        action(*window, "mnuTableCopy(1)")->trigger();
        EXPECT_EQ(clipboardText(), "Positive Cases\r\n4\r\n3\r\n2\r\n1");

        action(*window, "mnuTableCopy(2)")->trigger();
        EXPECT_TRUE(clipboardText().startsWith("1\t1\t0.75\t4\t1\t5\t80.00%")) << clipboardText().toStdString();

        find<QTabBar>(*window, "ssReports")->setCurrentIndex(1);
        action(*window, "mnuTableCopy(0)")->trigger();
        lines = clipboardText().split("\r\n");
        ASSERT_EQ(lines.size(), 7);
        EXPECT_TRUE(lines[0].startsWith("Id\tTarget\tModel Output\t")) << lines[0].toStdString();
    }

    TEST_F(GridCommands, HidingTheGroupBoxRemovesTheGroupingShowingItAgainDoesNotRestoreIt)
    {
        auto window = openShown(1129);
        auto* grid = find<ReportGrid>(*window, "rcDecile");
        QAction* groupBox = action(*window, "mnuTableCopy(4)");
        ASSERT_TRUE(grid && groupBox);
        EXPECT_EQ(groupBox->text(), "Show Group Box");
        EXPECT_FALSE(groupBox->isChecked());
        EXPECT_FALSE(grid->isGroupBoxVisible());

        groupBox->trigger();
        EXPECT_TRUE(groupBox->isChecked());
        EXPECT_TRUE(grid->isGroupBoxVisible());
        grid->groupByColumn(3);
        ASSERT_EQ(grid->groupColumn(), 3);

        groupBox->trigger();
        EXPECT_FALSE(groupBox->isChecked());
        EXPECT_FALSE(grid->isGroupBoxVisible());
        EXPECT_EQ(grid->groupColumn(), -1);
        EXPECT_EQ(grid->view()->model()->rowCount(), 4) << "the rows are ungrouped again";

        groupBox->trigger();
        EXPECT_TRUE(grid->isGroupBoxVisible());
        EXPECT_EQ(grid->groupColumn(), -1);
    }

    TEST_F(GridCommands, StatisticsMenuCopiesAndPrintsTheGridText)
    {
        auto window = openShown(1129);
        auto* properties = find<PropertyGrid>(*window, "pgProperties");
        auto* menu = find<QMenu>(*window, "ctxProperties");
        ASSERT_TRUE(properties && menu && window->statsAdapter());
        QWidget* rows = properties->view()->viewport();
        // The menu request that the platform makes of a right click.
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(20, 10), rows->mapToGlobal(QPoint(20, 10)));
        QCoreApplication::sendEvent(rows, &request);
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
        EXPECT_EQ(action(*window, "mnuProperties(0)")->text(), "&Copy");
        EXPECT_EQ(action(*window, "mnuProperties(2)")->text(), "&Print");

        QGuiApplication::clipboard()->setText("old");
        action(*window, "mnuProperties(0)")->trigger();
        const QString text = clipboardText();
        EXPECT_EQ(text, window->statsAdapter()->ToString());
        EXPECT_TRUE(text.contains("General\r\n")) << text.toStdString();
        EXPECT_TRUE(text.contains("40")) << "the total cases";

        action(*window, "mnuProperties(2)")->trigger();
        EXPECT_EQ(platform->printerDialogs, 1);
        EXPECT_EQ(platform->printedDocuments.size(), 1);
    }

}
} // namespace lrv::test
