#include "ReportTestTables.h"
#include "host/UncertaintyFigures.h"
#include "reports/DelegatedReport.h"
#include "reports/GainsReport.h"
#include "reports/LogOddsReport.h"
#include "reports/QuantileReport.h"
#include "reports/ReportGrid.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

using namespace lrv;

namespace {

// Decile results rows 0..buckets: 0 quantile, 1 upper, 2 lower, 3 pos, 4 neg, 5 total, 6 rate, 7 pos %,
// 8 neg fraction, 9 neg %, 10 cum pos, 11 cum pos %.
Table<Variant> decileTable(int buckets)
{
    std::vector<std::vector<Variant>> rows;
    for (int b = 0; b <= buckets; ++b)
        rows.push_back({ b, 1.0 - 0.1 * b, 0.9 - 0.1 * b, 3, 6, 9, 0.33333, 33.333, 0.66667, 66.667, 3 * b, 10 * b });
    return test::variantRows(rows);
}

// Gains rows 0..buckets, 14 columns; column c of row b holds b * 100 + c, except the lift in column 6.
Table<Variant> gainsTable(int buckets)
{
    std::vector<std::vector<Variant>> rows;
    for (int b = 0; b <= buckets; ++b) {
        std::vector<Variant> row;
        for (int c = 0; c <= 13; ++c)
            row.push_back(b * 100 + c);
        row[6] = b == 1 ? 1.25 : 1.0;
        rows.push_back(row);
    }
    return test::variantRows(rows);
}

QStringList gridTexts(const ReportGrid& grid)
{
    QStringList texts;
    for (int c = 0; c < grid.columnCount(); ++c)
        texts.append(grid.columnCaption(c));
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.columnCount(); ++c)
            texts.append(grid.itemText(r, c));
    return texts;
}

TEST(QuantileReport, ShowsRowsFromOneCopiesFromTheLowerBoundAndTakesTheIntervalsOfItsQuantiles)
{
    ReportGrid grid;
    QuantileReport report;
    report.Init(&grid);
    report.SetDataSourceVar(decileTable(10));
    report.Refresh();
    EXPECT_EQ(grid.rowCount(), 10);
    EXPECT_EQ(grid.itemText(0, 0), "1");
    EXPECT_EQ(grid.itemText(0, 6), "33.33%"); // Positive Cases % is data column 7
    EXPECT_EQ(grid.itemText(9, 9), "100.00%");
    const QStringList lines = report.AllDataText().split("\r\n");
    ASSERT_EQ(lines.size(), 1 + 11);
    // The intervals are empty until the calibration table arrives, then follow it row by row.
    EXPECT_EQ(lines[2], "1\t0.9\t0.8\t3\t6\t9\t33.333\t66.667\t3\t10\t\t");
    TableBuilder<double> calibration(1, 10, 0, index(CalibrationColumn::Last));
    calibration.set(1, index(CalibrationColumn::WilsonLow), 0.12);
    calibration.set(1, index(CalibrationColumn::WilsonHigh), 0.65);
    report.SetCalibration(calibration.build());
    report.Refresh();
    EXPECT_EQ(grid.itemText(0, 11), "0.65");
    EXPECT_TRUE(report.AllDataText().split("\r\n")[2].endsWith("\t10\t0.12\t0.65"));
    report.SetDataSourceVar(decileTable(10));
    EXPECT_TRUE(report.AllDataText().split("\r\n")[2].endsWith("\t10\t\t")) << "new quantiles drop the intervals";

    report.SetDataSourceVar(decileTable(3));
    report.CopyColumns(Vector<std::int32_t>({ 0 }));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Quantile\r\n0\r\n1\r\n2\r\n3");
    EXPECT_EQ(report.ColumnText(6), "Positive Cases %\r\n33.333\r\n33.333\r\n33.333\r\n33.333");
    EXPECT_TRUE(report.ColumnText(12).isEmpty());
}

TEST(GainsLiftAndLogOddsReports, GainsCopiesFromRowOneTheLiftTabIsTheGainsGridAndLogOddsCopiesFromItsLowerBound)
{
    ReportGrid grid;
    GainsReport gains;
    DelegatedReport lift;
    lift.SetDelegate(&gains, 5);
    lift.SetDataSourceVar(gainsTable(2)); // data delivered to either reaches the same table
    gains.Init(&grid);
    gains.Refresh();
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.itemText(0, 6), "1.25"); // Lift
    EXPECT_EQ(gains.AllDataText().split("\r\n").mid(1),
        QStringList(
            { "100\t101\t102\t104\t112\t105\t1.25\t107\t108\t110", "200\t201\t202\t204\t212\t205\t1\t207\t208\t210" }));
    const QStringList gainsGrid = gridTexts(grid);

    LogOddsReport logOdds;
    logOdds.Init(&grid); // another tab in between
    std::vector<std::vector<Variant>> rows(3, { 0, 0.9, 0.1, 3, 6, 9, 12.5, 87.5, 0.5, -0.69 });
    logOdds.SetDataSourceVar(test::variantRows(rows));
    logOdds.Refresh();
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.itemText(0, 6), "12.50%");
    EXPECT_EQ(logOdds.AllDataText().split("\r\n").size(), 1 + 3);

    lift.Init(&grid);
    lift.Refresh();
    EXPECT_EQ(gridTexts(grid), gainsGrid);
    EXPECT_EQ(lift.AllDataText(), gains.AllDataText());
    lift.CopyColumns(Vector<std::int32_t>({ 1 }));
    const QString liftColumn = QGuiApplication::clipboard()->text();
    gains.CopyColumns(Vector<std::int32_t>({ 1 }));
    EXPECT_EQ(liftColumn, QGuiApplication::clipboard()->text());
    lift.ClearData();
    EXPECT_FALSE(gains.HasData());
}

} // namespace
