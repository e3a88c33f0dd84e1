#include "support/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include <QLocale>

namespace lrv {

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

} // namespace lrv
