#include "support/NumberText.h"

#include "support/LocalizationLib.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include <QLocale>

namespace lrv {

QString invariantNumberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (value == 0)
        return QStringLiteral("0");
    // The "%.15G" form: the exponent form exactly below 1e-4 and from 1e15 on, no trailing zeros.
    // std::to_chars gives it several times faster than printf, which matters for tables of a million rows.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    for (char* c = buffer; c != end; ++c)
        if (*c == 'e')
            *c = 'E';
    return QString::fromLatin1(buffer, end - buffer);
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

} // namespace lrv
