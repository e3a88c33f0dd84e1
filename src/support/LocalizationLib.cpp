#include "support/LocalizationLib.h"

#include "support/Error.h"

#include <QLocale>

namespace lrv::LocalizationLib {

QString GetLocaleText(std::int32_t /*localeId*/, std::int32_t item)
{
    // Qt answers for the default locale, which follows the user's settings unless a program sets it.
    const QLocale locale;
    switch (item) {
    case LocaleDecimalSeparator:
        return locale.decimalPoint();
    case LocaleThousandSeparator:
        return locale.groupSeparator();
    case LocaleNegativeSign:
        return locale.negativeSign();
    case LocalePositiveSign:
        return locale.positiveSign();
    }
    return {};
}

QString GetDecimalSeparator() { return GetLocaleText(kUserDefaultLocale, LocaleDecimalSeparator); }

double ParseInvariantDouble(const Variant& value)
{
    if (value.isEmpty())
        return 0;
    if (value.isNumber())
        return value.toDouble();
    const QString text = value.text().trimmed();
    bool ok = false;
    const double parsed = QLocale::c().toDouble(text, &ok);
    if (!ok)
        throw Error(QStringLiteral("\"%1\" is not a number written with \".\" as decimal separator.").arg(text));
    return parsed;
}

} // namespace lrv::LocalizationLib
