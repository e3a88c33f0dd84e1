#include "support/LocalizationLib.h"

#include <cmath>
#include <iterator>
#include <optional>

#include <QLocale>

namespace lrv::LocalizationLib {

namespace {
    struct KnownLocale {
        std::int32_t id;
        const char* name;
    };

    // Locale ids of the platform and the languages and countries they stand for.
    constexpr KnownLocale kKnownLocales[] = {
        { 0x0401, "ar-SA" },
        { 0x0404, "zh-TW" },
        { 0x0405, "cs-CZ" },
        { 0x0406, "da-DK" },
        { 0x0407, "de-DE" },
        { 0x0408, "el-GR" },
        { 0x0409, "en-US" },
        { 0x040B, "fi-FI" },
        { 0x040C, "fr-FR" },
        { 0x040D, "he-IL" },
        { 0x040E, "hu-HU" },
        { 0x0410, "it-IT" },
        { 0x0411, "ja-JP" },
        { 0x0412, "ko-KR" },
        { 0x0413, "nl-NL" },
        { 0x0414, "nb-NO" },
        { 0x0415, "pl-PL" },
        { 0x0416, "pt-BR" },
        { 0x0418, "ro-RO" },
        { 0x0419, "ru-RU" },
        { 0x041D, "sv-SE" },
        { 0x041E, "th-TH" },
        { 0x041F, "tr-TR" },
        { 0x0422, "uk-UA" },
        { 0x0439, "hi-IN" },
        { 0x0804, "zh-CN" },
        { 0x0807, "de-CH" },
        { 0x0809, "en-GB" },
        { 0x080A, "es-MX" },
        { 0x080C, "fr-BE" },
        { 0x0810, "it-CH" },
        { 0x0813, "nl-BE" },
        { 0x0816, "pt-PT" },
        { 0x0C07, "de-AT" },
        { 0x0C09, "en-AU" },
        { 0x0C0A, "es-ES" },
        { 0x0C0C, "fr-CA" },
        { 0x1009, "en-CA" },
        { 0x100C, "fr-CH" },
        { 0x1409, "en-NZ" },
        { 0x1809, "en-IE" },
        { 0x4009, "en-IN" },
    };

    std::optional<QLocale> localeOf(std::int32_t localeId)
    {
        // Qt's default locale follows the user's settings unless a program sets it.
        if (localeId == kUserDefaultLocale || localeId == 0)
            return QLocale();
        if (localeId == kSystemDefaultLocale)
            return QLocale::system();
        if (localeId == kInvariantLocale)
            return QLocale::c();
        for (const KnownLocale& known : kKnownLocales)
            if (known.id == localeId)
                return QLocale(QString::fromLatin1(known.name));
        return std::nullopt;
    }

    QString languageIdText(const QLocale& locale)
    {
        const QString name = locale.name().replace(QLatin1Char('_'), QLatin1Char('-'));
        for (const KnownLocale& known : kKnownLocales)
            if (name == QLatin1String(known.name))
                return QStringLiteral("%1").arg(known.id, 4, 16, QLatin1Char('0')).toUpper();
        return locale == QLocale::c() ? QStringLiteral("007F") : QString();
    }

    // The first character of a format that is not a field letter: the separator it uses.
    QString separatorOf(const QString& format)
    {
        for (const QChar c : format)
            if (!c.isLetter() && c != QLatin1Char(' ') && c != QLatin1Char('\''))
                return c;
        return {};
    }

    QString digitsOf(const QLocale& locale)
    {
        QString digits;
        for (int digit = 0; digit <= 9; ++digit)
            digits += locale.toString(digit);
        return digits;
    }

    QString itemText(const QLocale& locale, std::int32_t item)
    {
        if (item >= LocaleDayName1 && item < LocaleDayName1 + 7)
            return locale.dayName(item - LocaleDayName1 + 1, QLocale::LongFormat);
        if (item >= LocaleAbbreviatedDayName1 && item < LocaleAbbreviatedDayName1 + 7)
            return locale.dayName(item - LocaleAbbreviatedDayName1 + 1, QLocale::ShortFormat);
        if (item >= LocaleMonthName1 && item < LocaleMonthName1 + 12)
            return locale.monthName(item - LocaleMonthName1 + 1, QLocale::LongFormat);
        if (item >= LocaleAbbreviatedMonthName1 && item < LocaleAbbreviatedMonthName1 + 12)
            return locale.monthName(item - LocaleAbbreviatedMonthName1 + 1, QLocale::ShortFormat);
        switch (item) {
        case LocaleLanguageId:
            return languageIdText(locale);
        case LocaleLanguageName:
            return QStringLiteral("%1 (%2)").arg(
                QLocale::languageToString(locale.language()), QLocale::territoryToString(locale.territory()));
        case LocaleLanguageAbbreviation:
            return QLocale::languageToCode(locale.language(), QLocale::ISO639Part2).toUpper();
        case LocaleNativeLanguageName:
            return locale.nativeLanguageName();
        case LocaleCountryName:
        case LocaleEnglishCountryName:
            return QLocale::territoryToString(locale.territory());
        case LocaleCountryAbbreviation:
        case LocaleIsoCountryName:
            return QLocale::territoryToCode(locale.territory());
        case LocaleNativeCountryName:
            return locale.nativeTerritoryName();
        case LocaleListSeparator:
            return locale.decimalPoint() == QLatin1String(",") ? QStringLiteral(";") : QStringLiteral(",");
        case LocaleMeasure:
            return locale.measurementSystem() == QLocale::ImperialUSSystem ? QStringLiteral("1") : QStringLiteral("0");
        case LocaleDecimalSeparator:
        case LocaleMonetaryDecimalSeparator:
            return locale.decimalPoint();
        case LocaleThousandSeparator:
        case LocaleMonetaryThousandSeparator:
            return locale.groupSeparator();
        case LocaleGrouping:
        case LocaleMonetaryGrouping:
            return QStringLiteral("3;0");
        case LocaleFractionalDigits:
        case LocaleCurrencyDigits:
            return QStringLiteral("2");
        case LocaleLeadingZero:
            return QStringLiteral("1");
        case LocaleNativeDigits:
            return digitsOf(locale);
        case LocaleCurrencySymbol:
            return locale.currencySymbol(QLocale::CurrencySymbol);
        case LocaleIntlCurrencySymbol:
            return locale.currencySymbol(QLocale::CurrencyIsoCode);
        case LocaleDateSeparator:
            return separatorOf(locale.dateFormat(QLocale::ShortFormat));
        case LocaleTimeSeparator:
            return separatorOf(locale.timeFormat(QLocale::ShortFormat));
        case LocaleShortDate:
            return locale.dateFormat(QLocale::ShortFormat);
        case LocaleLongDate:
            return locale.dateFormat(QLocale::LongFormat);
        case LocaleTimeFormat:
            return locale.timeFormat(QLocale::LongFormat);
        case LocaleAm:
            return locale.amText();
        case LocalePm:
            return locale.pmText();
        case LocalePositiveSign:
            return locale.positiveSign();
        case LocaleNegativeSign:
            return locale.negativeSign();
        case LocaleIsoLanguageName:
            return QLocale::languageToCode(locale.language(), QLocale::ISO639Part1);
        case LocaleName:
            return locale == QLocale::c() ? QString() : locale.name().replace(QLatin1Char('_'), QLatin1Char('-'));
        case LocaleEnglishLanguageName:
            return QLocale::languageToString(locale.language());
        case LocaleFirstDayOfWeek:
            // The platform counts from Monday = 0.
            return QString::number(int(locale.firstDayOfWeek()) - 1);
        }
        return {};
    }
}

QString GetLocaleText(std::int32_t localeId, std::int32_t item)
{
    const std::optional<QLocale> locale = localeOf(localeId);
    return locale ? itemText(*locale, item) : QString();
}

QString GetDecimalSeparator() { return GetLocaleText(kUserDefaultLocale, LocaleDecimalSeparator); }

double ParseInvariantDouble(const Variant& value)
{
    if (value.isEmpty())
        return 0;
    const QString text = value.isNumber() ? QString() : value.text().trimmed();
    bool ok = value.isNumber();
    double parsed = ok ? value.toDouble() : localeOf(kInvariantNumberLocale)->toDouble(text, &ok);
    // The platform's conversion knows no text for NaN or infinity, so neither converts.
    if (!ok || !std::isfinite(parsed))
        throw TypeMismatch(value.isNumber()
                ? QStringLiteral("Type mismatch: %1 is not a finite number.").arg(value.text())
                : QStringLiteral("Type mismatch: \"%1\" is not a number written with \".\" as decimal separator.")
                      .arg(text));
    return parsed;
}

} // namespace lrv::LocalizationLib
