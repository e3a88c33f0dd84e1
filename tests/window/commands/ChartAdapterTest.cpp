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

struct RecordingChart : IDoubleTableChart {
    void SetDataSource(const Table<double>& data) override { received.push_back(data); }
    void Refresh() override { ++refreshes; }
    void Reset() override { }
    std::vector<Table<double>> received;
    int refreshes = 0;
};

struct RecordingFitChart : ILogisticFitChart {
    void SetDataSource(const Table<double>& data) override { data_ = data; }
    void Refresh() override { refreshedWithPoints.push_back(showPoints); }
    void Reset() override { }
    void SetLogisticCutoffPoint(double) override { }
    bool ShowLCP() const override { return false; }
    void SetShowLCP(bool) override { }
    bool ShowDummyPoints() const override { return showPoints; }
    void SetShowDummyPoints(bool show) override { showPoints = show; }
    void AddDataSource(const Table<double>& data) override { added = data; }
    Table<double> data_, added;
    bool showPoints = false;
    std::vector<bool> refreshedWithPoints;
};
}

TEST(ChartAdapterThin, EvenStepThenFillUpWithTheLastRow)
{
    const Table<double> thinned = ChartAdapter::Thin(rows(0, 999), 500);
    ASSERT_EQ(thinned.rowLow(), 0);
    ASSERT_EQ(thinned.rowHigh(), 500);
    for (int r = 0; r < 500; ++r)
        ASSERT_EQ(thinned.at(r, 0), 2.0 * r) << r;
    EXPECT_EQ(thinned.at(500, 0), 999);
    EXPECT_EQ(thinned.at(500, 1), 9990);
}

TEST(ChartAdapterThin, SamplingReachesTheLastRowWithoutFillUp)
{
    const Table<double> thinned = ChartAdapter::Thin(rows(0, 1000), 500);
    ASSERT_EQ(thinned.rowHigh(), 500);
    EXPECT_EQ(thinned.at(499, 0), 998);
    EXPECT_EQ(thinned.at(500, 0), 1000);
}

TEST(ChartAdapterThin, KeepsTheLowerBoundAndColumns)
{
    const Table<double> thinned = ChartAdapter::Thin(rows(1, 10), 3);
    EXPECT_EQ(thinned.rowLow(), 1);
    EXPECT_EQ(thinned.rowHigh(), 4);
    EXPECT_EQ(thinned.colHigh(), 1);
    // span 9, step 3: rows 1, 4, 7, 10.
    EXPECT_EQ(thinned.at(1, 0), 1);
    EXPECT_EQ(thinned.at(2, 0), 4);
    EXPECT_EQ(thinned.at(4, 0), 10);
    EXPECT_THROW(ChartAdapter::Thin(rows(0, 3), 0), Error);
}

TEST(ChartAdapterDeliver, ThinsOnlyTablesLongerThanMaxPoints)
{
    ChartAdapter adapter;
    RecordingChart chart;
    adapter.DrawROC(&chart, rows(0, 500), 500); // 501 rows: step 1, same rows
    adapter.DrawROC(&chart, rows(0, 499), 500); // 500 rows: delivered as they are
    ASSERT_EQ(chart.received.size(), 2u);
    EXPECT_EQ(chart.received[0].rowHigh(), 500);
    for (int r = 0; r <= 500; ++r)
        ASSERT_EQ(chart.received[0].at(r, 0), r);
    EXPECT_EQ(chart.received[1].rowHigh(), 499);
    EXPECT_EQ(chart.refreshes, 2);
    adapter.DrawROC(nullptr, rows(0, 3), 10); // a chart that is not there is skipped
}

TEST(ChartAdapterDeliver, LogisticFitPointsFlagAndRedrawWithoutNewData)
{
    ChartAdapter adapter;
    RecordingFitChart chart;
    adapter.DrawLogisticFit(&chart, rows(0, 9), 200, true);
    adapter.AddZerosAndOnes(&chart, rows(0, 9), 4);
    EXPECT_EQ(chart.added.rowHigh(), 4);
    adapter.ChangeLogisticFit(&chart, false);
    EXPECT_EQ(chart.data_.rowHigh(), 9); // the data held is redrawn
    EXPECT_EQ(chart.refreshedWithPoints, (std::vector<bool> { true, true, false }));
}
