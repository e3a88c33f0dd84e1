#include "support/NumberText.h"

#include "support/Variant.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <iomanip>
#include <limits>
#include <random>

#include <QLocale>

using namespace lrv;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
}

TEST(NumberText, EachFormAsTheUserReadsIt)
{
    using Form = std::function<QString(double)>;
    const Form plain = [](double v) { return defaultNumberText(v); };
    const Form rounded8 = [](double v) { return roundedText8(v); };
    const Form rounded15 = [](double v) { return roundedText15(v); };
    const Form rounded6 = [](double v) { return roundedText(v, 6); };
    const Form tick = [](double v) { return tickLabelText(v); };
    const Form accuracy = [](double v) { return accuracyText(v); };
    const Form percent = [](double v) { return percentText(v, 2); };
    const Form figure = [](double v) { return figureText(v, 4); };
    const Form pValue = [](double v) { return pValueText(v); };
    const struct {
        const Form& form;
        double value;
        const char* text;
    } cases[] = {
        { plain, 0, "0" },
        { plain, 0.25, "0.25" },
        { plain, -12.5, "-12.5" },
        { plain, 1.0 / 3, "0.333333333333333" },
        { plain, 123456789012345.0, "123456789012345" },
        { plain, 0.0001, "0.0001" },
        { plain, 0.00001, "1E-05" },
        { plain, 1e15, "1E+15" },
        { plain, -2.5e-7, "-2.5E-07" },
        { plain, std::nan(""), "NaN" },
        { plain, kInf, "inf" },
        { plain, -kInf, "-inf" },
        { rounded8, 1, "1" },
        { rounded8, 0, "0" },
        { rounded8, std::nan(""), "0" },
        { rounded8, -3.5, "-3.5" },
        { rounded8, 1.0 / 3, "0.33333333" },
        { rounded8, 100, "100" },
        { rounded8, 1e-9, "1.00E-09" },
        { rounded8, 12345678901.5, "1.23E+10" },
        { rounded8, 123456789.5, "123456789.5" },
        { rounded15, 0.1, "0.1" },
        { rounded15, 1e-9, "0.000000001" },
        { rounded6, 0.123456789, "0.123457" },
        { tick, 0, "0.0" },
        { tick, 1, "1.0" },
        { tick, 123456.0, "123456.0" },
        { tick, 1234567.0, "1.23E+06" },
        { tick, -12345.0, "-12345.0" },
        { accuracy, 100, "100%" },
        { accuracy, 0, "0%" },
        { accuracy, 50.5, "50.5%" },
        { accuracy, 87.25, "87.25%" },
        { accuracy, 90, "90%" },
        { percent, 0.125, "12.50%" },
        { figure, 0.81234, "0.8123" },
        { figure, kInf, "–" },
        { pValue, 0.00009, "< 0.0001" },
        { pValue, 0.0001, "0.0001" },
        { pValue, std::nan(""), "–" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.form(c.value), c.text) << std::setprecision(17) << c.value;
}

TEST(NumberText, TheFifteenDigitFormOfTheCLibraryForNumbersOfEveryKind)
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

TEST(NumberText, ShownTextsTakeTheLocaleSeparatorInvariantOnesThePoint)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(defaultNumberText(0.25), "0,25");
    EXPECT_EQ(defaultNumberText(1.5e20), "1,5E+20");
    EXPECT_EQ(roundedText8(2.5), "2,5");
    EXPECT_EQ(tickLabelText(0.5), "0,5");
    EXPECT_EQ(invariantNumberText(0.25), "0.25");
    QLocale::setDefault(QLocale::c());
}

TEST(Variant, NumericOnlyForFiniteNumbersAndNumberTexts)
{
    for (const Variant& numeric : { Variant(1.5), Variant("2.5") })
        EXPECT_TRUE(numeric.isNumeric()) << numeric.text().toStdString();
    for (const Variant& other : { Variant("abc"), Variant(), Variant(std::nan("")), Variant(kInf), Variant("NaN") })
        EXPECT_FALSE(other.isNumeric()) << other.text().toStdString();
    EXPECT_TRUE(std::isnan(Variant(std::nan("")).toDouble()));
    EXPECT_DOUBLE_EQ(Variant("2.5").toDouble(), 2.5);
    EXPECT_THROW(Variant("abc").toDouble(), std::runtime_error);
    EXPECT_THROW(Variant().toDouble(), std::runtime_error);
}
