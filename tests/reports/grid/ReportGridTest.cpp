#include "reports/ReportGrid.h"

#include "ReportTestTables.h"
#include "reports/ReportHeaderView.h"
#include "reports/RocReport.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace lrv;

namespace {

// Ids 10.., targets alternating in a pattern, outputs descending.
Table<double> smallRoc()
{
    std::vector<std::vector<double>> rows;
    const double targets[] = { 1, 0, 1, 0, 0, 1 };
    for (int r = 0; r < 6; ++r) {
        std::vector<double> row(16, 0.0);
        row[0] = 10 + r;
        row[1] = targets[r];
        row[2] = 0.9 - 0.1 * r;
        row[8] = 0.5;
        rows.push_back(row);
    }
    return test::doubleRows(rows);
}

class ReportGridTest : public ::testing::Test {
protected:
    ReportGrid grid;
    // Attached before any data goes in; a broken model contract aborts the test run.
    QAbstractItemModelTester tester { &grid.records(), QAbstractItemModelTester::FailureReportingMode::Fatal };
    RocReport report;

    void SetUp() override
    {
        report.Init(&grid);
        report.SetDataSourceDbl(smallRoc());
        report.Refresh();
    }

    int targetColumn() const
    {
        for (int position = 0; position < grid.columnCount(); ++position)
            if (grid.columnCaption(position) == QLatin1String("Target"))
                return position;
        return -1;
    }

    void dropOnGroupBox(int position)
    {
        auto* box = grid.findChild<QWidget*>(QStringLiteral("groupBox"));
        ASSERT_NE(box, nullptr);
        QMimeData mime;
        mime.setData(ReportHeaderView::columnMimeType(), QByteArray::number(position));
        QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &drop);
    }
};

TEST_F(ReportGridTest, AHeaderDroppedOnTheGroupBoxGroupsTheRowsUntilRemovedOrTheColumnIsGone)
{
    grid.setGroupBoxVisible(true);
    dropOnGroupBox(targetColumn());
    report.Refresh(); // the grouping follows the column across a refresh

    const ReportRecordsModel& model = grid.records();
    ASSERT_EQ(grid.groupColumn(), targetColumn());
    ASSERT_EQ(model.rowCount(), 2); // targets 0 and 1, in ascending order
    const QModelIndex zeros = model.index(0, 0);
    EXPECT_EQ(model.data(zeros).toString(), "Target: 0 (3 records)");
    EXPECT_EQ(model.rowCount(zeros), 3);
    EXPECT_EQ(model.rowCount(model.index(1, 0)), 3);
    // Records keep their order inside a group: ids 11, 13, 14 have target 0.
    EXPECT_EQ(model.data(model.index(0, 0, zeros)).toString(), "11");
    EXPECT_EQ(model.data(model.index(2, 0, zeros)).toString(), "14");
    EXPECT_EQ(grid.rowCount(), 6);
    auto* chip = grid.findChild<QToolButton*>(QStringLiteral("groupColumn"));
    ASSERT_NE(chip, nullptr);
    EXPECT_TRUE(chip->text().startsWith("Target"));

    grid.removeGrouping();
    ASSERT_EQ(model.rowCount(), 6);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(model.data(model.index(row, 0)).toString(), QString::number(10 + row)) << "the order as before";
    EXPECT_FALSE(model.hasChildren(model.index(0, 0)));

    grid.groupByColumn(targetColumn());
    grid.clearColumns();
    grid.addColumn(0, QStringLiteral("Other"), 100);
    grid.populate();
    EXPECT_EQ(grid.groupColumn(), -1);
    EXPECT_EQ(grid.records().rowCount(), 6);
}

TEST_F(ReportGridTest, SelectedRowsAreRecordsEvenWhenGrouped)
{
    grid.groupByColumn(targetColumn());
    QSignalSpy changed(&grid, &ReportGrid::selectionChanged);

    grid.selectRow(3); // id 13, second record of group "0"
    EXPECT_EQ(grid.selectedRows(), QList<int>({ 3 }));
    EXPECT_GE(changed.count(), 1);
    grid.view()->selectionModel()->select(
        grid.records().indexOfRecord(0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(grid.selectedRows(), QList<int>({ 0, 3 }));

    // Grid order of the records, shown texts (captions), tabs between cells.
    const QStringList lines = grid.selectedRowsText().split("\r\n");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "10\t1\t0.9\t0\t0\t0\t0\t0.5\t0\t0");
    EXPECT_TRUE(lines[1].startsWith("13\t0\t0.6"));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(grid.view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), grid.selectedRowsText());
}

} // namespace
