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
    EXPECT_EQ(firstColumn(ChartAdapter::Thin(rows(0, 9), 5)), (std::vector<double> { 0, 2, 4, 6, 8, 9 }))
        << "filled up with the last row";
    EXPECT_EQ(firstColumn(ChartAdapter::Thin(rows(0, 10), 5)), (std::vector<double> { 0, 2, 4, 6, 8, 10 }));
    const Table<double> thinned = ChartAdapter::Thin(rows(1, 10), 3); // span 9, step 3
    EXPECT_EQ(thinned.rowLow(), 1);
    EXPECT_EQ(firstColumn(thinned), (std::vector<double> { 1, 4, 7, 10 }));
    EXPECT_EQ(thinned.at(4, 1), 100) << "every column comes along";
    EXPECT_THROW(ChartAdapter::Thin(rows(0, 3), 0), Error);
}
