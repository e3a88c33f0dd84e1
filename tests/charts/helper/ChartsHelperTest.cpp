#include "charts/ChartsHelper.h"

#include "../ScoredTables.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace lrv;
using namespace lrv::ChartsHelper;

TEST(GetEquationText, NegativeInterceptInBracketsAndUndefinedParts)
{
    EXPECT_EQ(GetEquationText(0.5, -0.25, 0.9), "y = 0.5x + (-0.25)\r\nRS = 0.9");
    EXPECT_EQ(GetEquationText(0.5, 0.25, 0.9), "y = 0.5x + 0.25\r\nRS = 0.9");
    EXPECT_EQ(GetEquationText(-9999, -9999, -9999), "y = UNDEFINED + (UNDEFINED)\r\nRS = UNDEFINED");
    EXPECT_EQ(GetEquationText(2, 1, -9999), "y = 2x + 1\r\nRS = UNDEFINED");
    EXPECT_EQ(GetEquationText(std::nan(""), 1, 0.5), "");
    EXPECT_EQ(GetEquationText(1, std::numeric_limits<double>::infinity(), 0.5), "");
}

TEST(NormalizeColumn, SpansForEverySignCombination)
{
    const struct {
        Table<Variant> column;
        std::vector<double> normalized;
        double offset;
    } cases[] = {
        // Rows from 1: the row number, then the value.
        { test::rows<Variant>(1, { { 1, 2 }, { 2, 4 }, { 3, 6 } }), { 0, 0.5, 1 }, 0.5 }, // |2| / 4
        { test::rows<Variant>(1, { { 1, -2 }, { 2, 0 }, { 3, 2 } }), { 0, 0.5, 1 }, 0.5 },
        { test::rows<Variant>(1, { { 1, -6 }, { 2, -2 } }), { 0, 1 }, 1.5 }, // both negative: span ||max| - |min||
        { test::rows<Variant>(1, { { 1, 5 }, { 2, 5 } }), { 5, 5 }, 7 }, // no span: unchanged
    };
    for (const auto& c : cases) {
        double offset = 7;
        Table<Variant> target;
        NormalizeColumn(c.column, target, offset, 1);
        SCOPED_TRACE(c.column.at(1, 1).toDouble());
        for (int row = 1; row <= int(c.normalized.size()); ++row) {
            EXPECT_DOUBLE_EQ(target.at(row, 1).toDouble(), c.normalized[std::size_t(row - 1)]);
            EXPECT_DOUBLE_EQ(target.at(row, 0).toDouble(), row); // other columns stay
        }
        EXPECT_DOUBLE_EQ(offset, c.offset);
    }
}

TEST(AxisLabelFormat, ScientificForHugeOrTinyEndsInEitherOrder)
{
    const struct {
        double low, high;
        int format;
    } cases[] = { { 0, 1, 0 }, { -0.5, 0.5, 0 }, { 0, 999999, 0 }, { 0, 1000000, 20 }, { -2e6, 0, 20 }, { 3e6, 1, 20 },
        { 0, 1e-9, 0 } /* a low end of 0 keeps general numbers */, { 1e-9, 0.5, 20 }, { 0.5, -1e-10, 20 },
        { 1e-8, 1, 0 } };
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << test.low << " .. " << test.high);
        EXPECT_EQ(ChartsHelper::AxisLabelFormatFor(test.low, test.high), test.format);
    }
}
