#include "support/NumberText.h"

#include "support/LocalizationLib.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string_view>

#include <QLocale>

namespace lrv {

namespace {
    /// Powers of ten up to 10^18, exact in an extended long double.
    constexpr long double kPowersOfTen[] = { 1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L, 1e10L, 1e11L,
        1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L };
    constexpr std::uint64_t kFifteenDigits = 100000000000000;

    /// The "%.15G" text of a number from 1e-4 to below 1e15 (the fixed form), from its fifteen significant
    /// digits scaled to a whole number in extended precision; nullptr when it cannot tell: a number close to
    /// halfway between two fifteen-digit values, or a platform without extended precision. About twice as fast
    /// as std::to_chars with a precision.
    char* writeFixedFifteenDigits(char* out, double value)
    {
        if constexpr (std::numeric_limits<long double>::digits < 64)
            return nullptr;
        const double a = std::abs(value);
        if (!(a >= 1e-4 && a < 1e15))
            return nullptr;
        // The decimal exponent: 10^e <= a < 10^(e + 1); a product off by its rounding only sends the number
        // below to the check of fifteen digits.
        int e = a >= 1 ? 0 : -1;
        if (a >= 1)
            while (e < 14 && a >= double(kPowersOfTen[e + 1]))
                ++e;
        else
            while (e > -4 && a * double(kPowersOfTen[-e]) < 1)
                --e;
        // The product is within 2^-64 of exact: below 1e15, that is 3e-5 of a unit.
        const long double scaled = static_cast<long double>(a) * kPowersOfTen[14 - e];
        std::uint64_t digits = std::uint64_t(scaled);
        const long double fraction = scaled - static_cast<long double>(digits);
        if (fraction > 0.4999L && fraction < 0.5001L)
            return nullptr;
        digits += fraction > 0.5L;
        if (digits >= 10 * kFifteenDigits) {
            digits /= 10;
            ++e;
        }
        if (digits < kFifteenDigits || e >= 15)
            return nullptr;
        char text[16];
        std::to_chars(text, text + sizeof text, digits);
        int count = 15;
        while (text[count - 1] == '0')
            --count;
        char* p = out;
        if (value < 0)
            *p++ = '-';
        if (e >= 0) {
            p = std::copy(text, text + e + 1, p);
            if (count > e + 1) {
                *p++ = '.';
                p = std::copy(text + e + 1, text + count, p);
            }
        } else {
            p = std::copy_n("0.000", 1 - e, p);
            p = std::copy(text, text + count, p);
        }
        return p;
    }
}

char* writeInvariantNumberText(char* out, double value)
{
    const auto copy = [out](std::string_view text) { return std::copy(text.begin(), text.end(), out); };
    if (std::isnan(value))
        return copy("NaN");
    if (std::isinf(value))
        return copy(value > 0 ? "inf" : "-inf");
    // A whole number below 1e15 has at most 15 digits, which the "%.15G" form writes in full without a
    // point: the integer conversion gives the same text an order of magnitude faster. Zero's sign is dropped.
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return std::to_chars(out, out + kNumberTextCapacity, std::int64_t(value)).ptr;
    if (char* const end = writeFixedFifteenDigits(out, value))
        return end;
    // The "%.15G" form: the exponent form exactly below 1e-4 and from 1e15 on, no trailing zeros.
    // std::to_chars gives it several times faster than printf, which matters for tables of a million rows.
    char* const end = std::to_chars(out, out + kNumberTextCapacity, value, std::chars_format::general, 15).ptr;
    std::replace(out, end, 'e', 'E');
    return end;
}

QString invariantNumberText(double value)
{
    char buffer[kNumberTextCapacity];
    return QString::fromLatin1(buffer, writeInvariantNumberText(buffer, value) - buffer);
}

QString defaultNumberText(double value, const QString& decimalSeparator)
{
    QString text = invariantNumberText(value);
    if (decimalSeparator != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

QString defaultNumberText(double value) { return defaultNumberText(value, QLocale().decimalPoint()); }

} // namespace lrv

namespace lrv {

QString percentText(double fraction, int decimals)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(fraction * 100.0, 'f', decimals) + locale.percent();
}

QString accuracyText(double percent)
{
    if (percent == 0 || percent == 100)
        return percentText(percent / 100.0, 0);
    const QString separator = QLocale().decimalPoint();
    const QString two = percentText(percent / 100.0, 2);
    const QString percentSign = QLocale().percent();
    if (two.endsWith(separator + QStringLiteral("00") + percentSign))
        return percentText(percent / 100.0, 0);
    if (two.contains(separator) && two.endsWith(QStringLiteral("0") + percentSign))
        return percentText(percent / 100.0, 1);
    return two;
}

QString scientificText(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.2E", value);
    QString text = QString::fromLatin1(buffer);
    const QString separator = QLocale().decimalPoint();
    if (separator != QLatin1String("."))
        text.replace(QLatin1Char('.'), separator);
    return text;
}

namespace {
    QString fixedText(double value, int decimals)
    {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(value, 'f', decimals);
    }
}

QString tickLabelText(double value)
{
    const QString text = fixedText(value, 1);
    return text.size() > 8 ? scientificText(value) : text;
}

QString roundedText(double value, int digits)
{
    if (value == 1)
        return QStringLiteral("1");
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    QString text = fixedText(value, digits);
    const QString separator = LocalizationLib::GetDecimalSeparator();
    qsizetype separatorPosition = 0;
    if (!separator.isEmpty() && defaultNumberText(value).contains(separator))
        separatorPosition = text.indexOf(separator) + 1;
    if (text == QStringLiteral("0") + separator + QStringLiteral("00000000") || separatorPosition > 10)
        return scientificText(value);
    if (separator.isEmpty() || !text.contains(separator))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(separator))
        text.chop(separator.size());
    return text;
}

QString roundedText8(double value) { return roundedText(value, 8); }

QString roundedText15(double value) { return roundedText(value, 15); }

QString figureText(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("–");
}

QString pValueText(double p)
{
    if (!std::isfinite(p))
        return QStringLiteral("–");
    return p < 0.0001 ? QStringLiteral("< 0.0001") : QString::number(p, 'f', 4);
}

} // namespace lrv
