#include "support/NumericValidationHelpers.h"

#include "support/LocalizationLib.h"

#include <QChar>
#include <QString>

namespace lrv::NumericValidationHelpers {

namespace {
    constexpr std::int16_t kEnter = 13;
    constexpr std::int16_t kBackspace = 8;

    // Filled once from the locale and kept for the life of the process.
    QString& cachedDecimalSeparator()
    {
        static QString separator;
        return separator;
    }

    std::int16_t filter(std::int16_t keyCode, bool allowMinus)
    {
        QString& separator = cachedDecimalSeparator();
        if (separator.isEmpty())
            separator = LocalizationLib::GetDecimalSeparator();
        const QChar c { char16_t(std::uint16_t(keyCode)) };
        // Only the ASCII digits: the number parser reads no other script's digits.
        const bool isDigit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool keep = isDigit || (!separator.isEmpty() && QString(c) == separator)
            || (allowMinus && c == QLatin1Char('-')) || c == QLatin1Char('+') || c == QLatin1Char('E')
            || c == QLatin1Char('e') || keyCode == kEnter || keyCode == kBackspace;
        return keep ? keyCode : 0;
    }
}

std::int16_t FilterSignedNumberKey(std::int16_t keyCode) { return filter(keyCode, true); }
std::int16_t FilterUnsignedNumberKey(std::int16_t keyCode) { return filter(keyCode, false); }
void ClearDecimalSeparatorCache() { cachedDecimalSeparator().clear(); }

} // namespace lrv::NumericValidationHelpers
