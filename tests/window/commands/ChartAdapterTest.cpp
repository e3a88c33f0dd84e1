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
