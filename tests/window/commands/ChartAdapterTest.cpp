#include "window/ChartAdapter.h"

#include <gtest/gtest.h>

using namespace lrv;

namespace {
// Row r holds r in column 0 and 10·r in column 1.
Table<double> rows(int low, int high)
{
    TableBuilder<double> builder(low, high, 0, 1);
    for (int r = low; r <= high; ++r) {
        builder.set(r, 0, r);
        builder.set(r, 1, 10.0 * r);
    }
    return builder.build();
}

std::vector<double> firstColumn(const Table<double>& table)
{
    std::vector<double> values;
    for (int r = table.rowLow(); r <= table.rowHigh(); ++r)
        values.push_back(table.at(r, 0));
    return values;
}

struct RecordingChart : ILogisticFitChart {
    void SetDataSource(const Table<double>& data) override { received.push_back(data); }
    void Refresh() override { refreshedWithPoints.push_back(showPoints); }
    void Reset() override { }
    void SetLogisticCutoffPoint(double) override { }
    bool ShowLCP() const override { return false; }
    void SetShowLCP(bool) override { }
    bool ShowDummyPoints() const override { return showPoints; }
    void SetShowDummyPoints(bool show) override { showPoints = show; }
    void AddDataSource(const Table<double>& data) override { added = data; }
    std::vector<Table<double>> received;
    Table<double> added;
    bool showPoints = false;
    std::vector<bool> refreshedWithPoints;
};
}

TEST(ChartAdapter, ThinsByAnEvenStepKeepsTheBoundsAndEndsOnTheLastRow)
{
    std::vector<double> everyOther;
    for (int r = 0; r < 500; ++r)
        everyOther.push_back(2.0 * r);
    everyOther.push_back(999); // filled up with the last row
    EXPECT_EQ(firstColumn(ChartAdapter::Thin(rows(0, 999), 500)), everyOther);
    everyOther.back() = 1000; // sampling reaches the last row itself
    EXPECT_EQ(firstColumn(ChartAdapter::Thin(rows(0, 1000), 500)), everyOther);

    const Table<double> thinned = ChartAdapter::Thin(rows(1, 10), 3); // span 9, step 3
    EXPECT_EQ(thinned.rowLow(), 1);
    EXPECT_EQ(firstColumn(thinned), (std::vector<double> { 1, 4, 7, 10 }));
    EXPECT_EQ(thinned.at(4, 1), 100) << "every column comes along";
    EXPECT_THROW(ChartAdapter::Thin(rows(0, 3), 0), Error);
}

TEST(ChartAdapter, DeliversShortTablesWholeAndRedrawsTheFitWithItsPointsFlag)
{
    ChartAdapter adapter;
    RecordingChart chart;
    adapter.DrawROC(&chart, rows(0, 500), 500); // 501 rows: step 1, the same rows
    adapter.DrawROC(&chart, rows(0, 499), 500);
    adapter.DrawROC(nullptr, rows(0, 3), 10); // a chart that is not there is skipped
    ASSERT_EQ(chart.received.size(), 2u);
    EXPECT_EQ(firstColumn(chart.received[0]), firstColumn(rows(0, 500)));
    EXPECT_EQ(chart.received[1].rowHigh(), 499);

    RecordingChart fit;
    adapter.DrawLogisticFit(&fit, rows(0, 9), 200, true);
    adapter.AddZerosAndOnes(&fit, rows(0, 9), 4);
    EXPECT_EQ(fit.added.rowHigh(), 4);
    adapter.ChangeLogisticFit(&fit, false);
    EXPECT_EQ(fit.received.size(), 1u) << "the data held is redrawn";
    EXPECT_EQ(fit.refreshedWithPoints, (std::vector<bool> { true, true, false }));
}
