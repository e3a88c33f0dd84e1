#pragma once

#include "support/Variant.h"

#include <cstdint>

#include <QString>

/// Locale questions: the decimal separator and number parsing independent of the user's locale.
namespace lrv::LocalizationLib {

/// Locale item numbers as the host's platform names them.
enum LocaleItem : std::int32_t {
    LocaleDecimalSeparator = 14,
    LocaleThousandSeparator = 15,
    LocaleNegativeSign = 81,
    LocalePositiveSign = 80,
};

/// The user's default locale.
constexpr std::int32_t kUserDefaultLocale = 0x0400;

/// The text of a locale item; the locale id is answered from the current default locale. Empty for an
/// item that is not known.
QString GetLocaleText(std::int32_t localeId, std::int32_t item);
/// The decimal separator of the user's locale.
QString GetDecimalSeparator();
/// A value read with "." as decimal separator whatever the locale; an empty value is 0; anything that
/// is not a number throws lrv::Error.
double ParseInvariantDouble(const Variant& value);

} // namespace lrv::LocalizationLib
