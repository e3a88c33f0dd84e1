#include "support/NumberText.h"

#include "support/Variant.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <iomanip>
#include <limits>
#include <random>

#include <QLocale>

using namespace lrv;

namespace {
struct LocaleScope {
    explicit LocaleScope(QLocale::Language language, QLocale::Territory territory)
    {
        QLocale::setDefault(QLocale(language, territory));
    }
    ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
};
}

TEST(DefaultNumberText, FifteenSignificantDigitsWithoutTrailingZeros)
{
    EXPECT_EQ(defaultNumberText(0), "0");
    EXPECT_EQ(defaultNumberText(2), "2");
    EXPECT_EQ(defaultNumberText(0.25), "0.25");
    EXPECT_EQ(defaultNumberText(-12.5), "-12.5");
    EXPECT_EQ(defaultNumberText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(defaultNumberText(123456789012345.0), "123456789012345");
}

TEST(DefaultNumberText, TheFifteenDigitFormOfTheCLibraryForNumbersOfEveryKind)
{
    // Tables of a million rows take faster routes than printf; the text must stay the same.
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> unit(0, 1), decades(-7, 17);
    std::vector<double> values = { 999999999999999.0, 999999999999999.5, 123456789012345.5, 0.1 + 0.2, 2.5, -7, 1e-4,
        9.99999999999999e-5, 0.999999999999999944, 99999.99999999995, 1e15 + 2, -4503599627370497.0 };
    for (int k = 0; k < 20000; ++k) {
        const double sign = random() % 2 ? -1 : 1;
        const double scaled = sign * std::pow(10.0, decades(random));
        const std::uint64_t n = 1 + random() % 1000000;
        values.insert(values.end(), { unit(random), double(random() % n) / double(n), scaled, std::round(scaled) });
    }
    for (const double value : values) {
        if (value == 0)
            continue; // printf keeps the sign of -0; the text does not
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.15G", value);
        ASSERT_EQ(invariantNumberText(value), QLatin1String(expected)) << std::setprecision(17) << value;
    }
    EXPECT_EQ(invariantNumberText(-0.0), "0");
}

TEST(DefaultNumberText, ExponentFormBelowOneTenThousandthAndFromTenToTheFifteen)
{
    EXPECT_EQ(defaultNumberText(0.0001), "0.0001");
    EXPECT_EQ(defaultNumberText(0.00001), "1E-05");
    EXPECT_EQ(defaultNumberText(1.5e20), "1.5E+20");
    EXPECT_EQ(defaultNumberText(1e15), "1E+15");
    EXPECT_EQ(defaultNumberText(-2.5e-7), "-2.5E-07");
}

TEST(DefaultNumberText, NumbersThatAreNotFinite)
{
    EXPECT_EQ(defaultNumberText(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(defaultNumberText(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(defaultNumberText(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(DefaultNumberText, UsesTheLocaleDecimalSeparator)
{
    LocaleScope german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(defaultNumberText(0.25), "0,25");
    EXPECT_EQ(defaultNumberText(1.5e20), "1,5E+20");
    EXPECT_EQ(invariantNumberText(0.25), "0.25");
}

TEST(Variant, NumericOnlyForFiniteNumbersAndNumberTexts)
{
    EXPECT_TRUE(Variant(1.5).isNumeric());
    EXPECT_TRUE(Variant("2.5").isNumeric());
    EXPECT_FALSE(Variant("abc").isNumeric());
    EXPECT_FALSE(Variant().isNumeric());
    EXPECT_FALSE(Variant(std::nan("")).isNumeric());
    EXPECT_FALSE(Variant(std::numeric_limits<double>::infinity()).isNumeric());
    EXPECT_FALSE(Variant("NaN").isNumeric());
    EXPECT_TRUE(std::isnan(Variant(std::nan("")).toDouble()));
    EXPECT_DOUBLE_EQ(Variant("2.5").toDouble(), 2.5);
    EXPECT_THROW(Variant("abc").toDouble(), std::runtime_error);
    EXPECT_THROW(Variant().toDouble(), std::runtime_error);
    EXPECT_EQ(Variant(std::numeric_limits<double>::infinity()).text(), "inf");
}

TEST(PercentAndAccuracyText, DropNeedlessZeros)
{
    EXPECT_EQ(percentText(0.125, 2), "12.50%");
    EXPECT_EQ(accuracyText(100), "100%");
    EXPECT_EQ(accuracyText(0), "0%");
    EXPECT_EQ(accuracyText(50.5), "50.5%");
    EXPECT_EQ(accuracyText(87.25), "87.25%");
    EXPECT_EQ(accuracyText(90), "90%");
    EXPECT_EQ(accuracyText(87.1), "87.1%");
}

TEST(roundedText, ExactlyOneAndZeroAtAnyPrecision)
{
    for (int digits : { 1, 6, 8, 15 }) {
        SCOPED_TRACE(digits);
        EXPECT_EQ(roundedText(1, digits), "1");
        EXPECT_EQ(roundedText(0, digits), "0");
        EXPECT_EQ(roundedText(std::nan(""), digits), "0");
    }
}

TEST(roundedText, TrailingZerosAndSeparatorRemoved)
{
    EXPECT_EQ(roundedText8(0.25), "0.25");
    EXPECT_EQ(roundedText8(2), "2");
    EXPECT_EQ(roundedText8(-3.5), "-3.5");
    EXPECT_EQ(roundedText8(1.0 / 3.0), "0.33333333");
    EXPECT_EQ(roundedText(0.123456789, 6), "0.123457");
    EXPECT_EQ(roundedText15(0.1), "0.1");
    // 100 has no separator in its default text, so its zeros before the separator stay.
    EXPECT_EQ(roundedText8(100), "100");
}

TEST(roundedText, ScientificWhenTooSmallOrTooLong)
{
    EXPECT_EQ(roundedText8(1e-9), "1.00E-09");
    EXPECT_EQ(roundedText15(1e-9), "0.000000001");
    EXPECT_EQ(roundedText8(12345678901.5), "1.23E+10");
    EXPECT_EQ(roundedText8(123456789.5), "123456789.5");
}

TEST(roundedText, UsesTheLocaleSeparator)
{
    LocaleScope german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(roundedText8(0.25), "0,25");
    EXPECT_EQ(roundedText8(2.5), "2,5");
    EXPECT_EQ(tickLabelText(0.5), "0,5");
}

TEST(tickLabelText, OneDecimalThenScientific)
{
    EXPECT_EQ(tickLabelText(0), "0.0");
    EXPECT_EQ(tickLabelText(0.5), "0.5");
    EXPECT_EQ(tickLabelText(1), "1.0");
    EXPECT_EQ(tickLabelText(123456.0), "123456.0"); // eight characters stay
    EXPECT_EQ(tickLabelText(1234567.0), "1.23E+06");
    EXPECT_EQ(tickLabelText(-12345.0), "-12345.0");
}
