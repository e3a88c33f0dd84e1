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
struct CommaLocale {
    CommaLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~CommaLocale() { QLocale::setDefault(QLocale::c()); }
};

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

TEST(FormatNumberText, ExactlyOneAndZeroAtAnyPrecision)
{
    for (int digits : { 1, 6, 8, 15 }) {
        SCOPED_TRACE(digits);
        EXPECT_EQ(FormatNumberText(1, digits), "1");
        EXPECT_EQ(FormatNumberText(0, digits), "0");
        EXPECT_EQ(FormatNumberText(std::nan(""), digits), "0");
    }
}

TEST(FormatNumberText, TrailingZerosAndSeparatorRemoved)
{
    EXPECT_EQ(FormatValue8(0.25), "0.25");
    EXPECT_EQ(FormatValue8(2), "2");
    EXPECT_EQ(FormatValue8(-3.5), "-3.5");
    EXPECT_EQ(FormatValue8(1.0 / 3.0), "0.33333333");
    EXPECT_EQ(FormatNumberText(0.123456789, 6), "0.123457");
    EXPECT_EQ(FormatValue15(0.1), "0.1");
    // 100 has no separator in its default text, so its zeros before the separator stay.
    EXPECT_EQ(FormatValue8(100), "100");
}

TEST(FormatNumberText, ScientificWhenTooSmallOrTooLong)
{
    EXPECT_EQ(FormatValue8(1e-9), "1.00E-09");
    EXPECT_EQ(FormatValue15(1e-9), "0.000000001");
    EXPECT_EQ(FormatValue8(12345678901.5), "1.23E+10");
    EXPECT_EQ(FormatValue8(123456789.5), "123456789.5");
}

TEST(FormatNumberText, UsesTheLocaleSeparator)
{
    CommaLocale comma;
    EXPECT_EQ(FormatValue8(0.25), "0,25");
    EXPECT_EQ(FormatValue8(2.5), "2,5");
    EXPECT_EQ(FormatTickLabel(0.5), "0,5");
}

TEST(FormatTickLabel, OneDecimalThenScientific)
{
    EXPECT_EQ(FormatTickLabel(0), "0.0");
    EXPECT_EQ(FormatTickLabel(0.5), "0.5");
    EXPECT_EQ(FormatTickLabel(1), "1.0");
    EXPECT_EQ(FormatTickLabel(123456.0), "123456.0"); // eight characters stay
    EXPECT_EQ(FormatTickLabel(1234567.0), "1.23E+06");
    EXPECT_EQ(FormatTickLabel(-12345.0), "-12345.0");
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
    EXPECT_EQ(GetConfigColor("LogisticRegression.ROC.Chart.ROC"), 0u);
    QLabel label;
    ApplyChartColors(&label);
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 0));

    auto configuration = test::TestConfiguration::install();
    configuration->setColor("LogisticRegression.Charts.Background", rgb(250, 240, 230));
    configuration->setColor("LogisticRegression.Charts.Frame", rgb(10, 20, 30));
    configuration->set("LogisticRegression.ROC.Chart.ROC.R", 200);
    EXPECT_EQ(GetConfigColor("LogisticRegression.ROC.Chart.ROC"), rgb(200, 0, 0));
    ApplyChartColors(&label);
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(250, 240, 230));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(10, 20, 30));
    HostConfiguration::set(nullptr);
}
