#pragma once

#include "support/Error.h"
#include "support/Variant.h"

#include <cstdint>

#include <QString>

/// Locale questions: the texts of a locale's items, the decimal separator and number parsing independent of
/// the user's locale.
namespace lrv::LocalizationLib {

/// Locale item numbers as the host's platform names them.
enum LocaleItem : std::int32_t {
    LocaleLanguageId = 1,
    LocaleLanguageName = 2,
    LocaleLanguageAbbreviation = 3,
    LocaleNativeLanguageName = 4,
    LocaleCountryCode = 5,
    LocaleCountryName = 6,
    LocaleCountryAbbreviation = 7,
    LocaleNativeCountryName = 8,
    LocaleListSeparator = 12,
    LocaleMeasure = 13,
    LocaleDecimalSeparator = 14,
    LocaleThousandSeparator = 15,
    LocaleGrouping = 16,
    LocaleFractionalDigits = 17,
    LocaleLeadingZero = 18,
    LocaleNativeDigits = 19,
    LocaleCurrencySymbol = 20,
    LocaleIntlCurrencySymbol = 21,
    LocaleMonetaryDecimalSeparator = 22,
    LocaleMonetaryThousandSeparator = 23,
    LocaleMonetaryGrouping = 24,
    LocaleCurrencyDigits = 25,
    LocaleDateSeparator = 29,
    LocaleTimeSeparator = 30,
    LocaleShortDate = 31,
    LocaleLongDate = 32,
    LocaleAm = 40,
    LocalePm = 41,
    LocaleDayName1 = 42, ///< Monday; 43 to 48 the days after it
    LocaleAbbreviatedDayName1 = 49, ///< to 55
    LocaleMonthName1 = 56, ///< January; 57 to 67 the months after it
    LocaleAbbreviatedMonthName1 = 68, ///< to 79
    LocalePositiveSign = 80,
    LocaleNegativeSign = 81,
    LocaleIsoLanguageName = 89,
    LocaleIsoCountryName = 90,
    LocaleName = 92,
    LocaleTimeFormat = 4099,
    LocaleEnglishLanguageName = 4097,
    LocaleEnglishCountryName = 4098,
    LocaleFirstDayOfWeek = 4108,
};

/// The user's default locale.
constexpr std::int32_t kUserDefaultLocale = 0x0400;
/// The system's default locale.
constexpr std::int32_t kSystemDefaultLocale = 0x0800;
/// The locale independent of language and country.
constexpr std::int32_t kInvariantLocale = 0x007F;
/// The locale the invariant number parser reads with: United Kingdom English, "." as decimal separator.
constexpr std::int32_t kInvariantNumberLocale = 2057;

/// The platform's failure to convert a value to the asked type.
class TypeMismatch : public Error {
public:
    using Error::Error;
};

/// The text of an item of the locale with this id (a platform locale id; the user's and the system's
/// default locale and the invariant one included). Empty for a locale or an item that is not known.
QString GetLocaleText(std::int32_t localeId, std::int32_t item);
/// The decimal separator of the user's locale.
QString GetDecimalSeparator();
/// A value read with "." as decimal separator whatever the locale; an empty value is 0. A value that is no
/// finite number ("NaN" and "inf" included) throws TypeMismatch.
double ParseInvariantDouble(const Variant& value);

} // namespace lrv::LocalizationLib
