#include "charts/ChartsHelper.h"

#include "common/TestConfiguration.h"
#include "host/HostConfiguration.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include <QLabel>
#include <QLocale>

using namespace lrv;
using namespace lrv::ChartsHelper;

namespace {

Table<Variant> variantColumn(std::initializer_list<double> values)
{
    TableBuilder<Variant> builder(1, int(values.size()), 0, 1);
    int row = 1;
    for (double value : values) {
        builder.set(row, 0, row);
        builder.set(row, 1, value);
        ++row;
    }
    return builder.build();
}
}

TEST(GetEquationText, NegativeInterceptInBracketsAndUndefinedParts)
{
    EXPECT_EQ(GetEquationText(0.5, -0.25, 0.9), "y = 0.5x + (-0.25)\r\nRS = 0.9");
    EXPECT_EQ(GetEquationText(0.5, 0.25, 0.9), "y = 0.5x + 0.25\r\nRS = 0.9");
    EXPECT_EQ(GetEquationText(-9999, -9999, -9999), "y = UNDEFINED + (UNDEFINED)\r\nRS = UNDEFINED");
    EXPECT_EQ(GetEquationText(2, 1, -9999), "y = 2x + 1\r\nRS = UNDEFINED");
    EXPECT_EQ(GetEquationText(std::nan(""), 1, 0.5), "");
    EXPECT_EQ(GetEquationText(1, std::numeric_limits<double>::infinity(), 0.5), "");
}

TEST(RelativeDifference, EqualEndsZeroMeanAndSigns)
{
    EXPECT_DOUBLE_EQ(RelativeDifference(3, 3), 1.0);
    EXPECT_DOUBLE_EQ(RelativeDifference(-2, 2), 4.0);
    EXPECT_DOUBLE_EQ(RelativeDifference(1, 3), 1.0);
    EXPECT_DOUBLE_EQ(RelativeDifference(-3, -1), 1.0);
    EXPECT_LT(RelativeDifference(1.0, 1.0 + 1e-12), 1e-8);
}

TEST(NormalizeColumn, SpansForEverySignCombination)
{
    double offset = -1;
    Table<Variant> target;

    NormalizeColumn(variantColumn({ 2, 4, 6 }), target, offset, 1);
    EXPECT_DOUBLE_EQ(target.at(1, 1).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(target.at(2, 1).toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(target.at(3, 1).toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(offset, 0.5); // |2| / 4
    EXPECT_DOUBLE_EQ(target.at(2, 0).toDouble(), 2.0); // other columns stay

    NormalizeColumn(variantColumn({ -2, 0, 2 }), target, offset, 1);
    EXPECT_DOUBLE_EQ(target.at(2, 1).toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(offset, 0.5);

    // Both negative: span ||max| - |min||.
    NormalizeColumn(variantColumn({ -6, -2 }), target, offset, 1);
    EXPECT_DOUBLE_EQ(target.at(1, 1).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(target.at(2, 1).toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(offset, 1.5);

    offset = 7;
    const Table<Variant> constant = variantColumn({ 5, 5 });
    NormalizeColumn(constant, target, offset, 1);
    EXPECT_DOUBLE_EQ(target.at(1, 1).toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(offset, 7.0);
}

TEST(GetColumnRange, RangesAndTheUnitSquareOnError)
{
    TableBuilder<double> builder(0, 2, 0, 1);
    builder.set(0, 0, 3);
    builder.set(0, 1, -1);
    builder.set(1, 0, -2);
    builder.set(1, 1, 5);
    builder.set(2, 0, 7);
    builder.set(2, 1, 0);
    ColumnRange range;
    EXPECT_TRUE(GetColumnRange(builder.build(), 0, 1, range));
    EXPECT_EQ(range.MinX, -2);
    EXPECT_EQ(range.MaxX, 7);
    EXPECT_EQ(range.MinY, -1);
    EXPECT_EQ(range.MaxY, 5);

    EXPECT_FALSE(GetColumnRange(builder.build(), 0, 4, range));
    EXPECT_EQ(range.MaxX, 1);
    EXPECT_EQ(range.MinY, 0);

    TableBuilder<Variant> variants(1, 2, 0, 1);
    variants.set(1, 0, 1);
    variants.set(1, 1, "text");
    variants.set(2, 0, 2);
    variants.set(2, 1, 3);
    EXPECT_FALSE(GetVariantColumnRange(variants.build(), 0, 1, range));
    EXPECT_EQ(range.MaxY, 1);
}

TEST(ChartColors, BlackOnWhiteWithoutConfigurationAndConfiguredOtherwise)
{
    HostConfiguration::set(nullptr);
    EXPECT_EQ(HostConfiguration::color("LogisticRegression.ROC.Chart.ROC"), 0u);
    QLabel label;
    ApplyChartColors(&label);
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 0));

    auto configuration = test::TestConfiguration::install();
    configuration->setColor("LogisticRegression.Charts.Background", rgb(250, 240, 230));
    configuration->setColor("LogisticRegression.Charts.Frame", rgb(10, 20, 30));
    configuration->set("LogisticRegression.ROC.Chart.ROC.R", 200);
    EXPECT_EQ(HostConfiguration::color("LogisticRegression.ROC.Chart.ROC"), rgb(200, 0, 0));
    ApplyChartColors(&label);
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(250, 240, 230));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(10, 20, 30));
    HostConfiguration::set(nullptr);
}
