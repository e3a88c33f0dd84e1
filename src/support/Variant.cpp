#include "support/Variant.h"

#include "support/Error.h"
#include "support/NumberText.h"

#include <cmath>

#include <QLocale>

namespace lrv {

bool parseNumberText(const QString& text, double& value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    bool ok = false;
    double parsed = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        parsed = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool Variant::isNumeric() const
{
    if (const double* number = std::get_if<double>(&m_value))
        return std::isfinite(*number);
    if (const QString* text = std::get_if<QString>(&m_value)) {
        double ignored;
        return parseNumberText(*text, ignored);
    }
    return false;
}

double Variant::toDouble() const
{
    if (const double* number = std::get_if<double>(&m_value))
        return *number;
    if (const QString* text = std::get_if<QString>(&m_value)) {
        double value;
        if (parseNumberText(*text, value))
            return value;
        throw Error(QStringLiteral("The value \"%1\" is not a number.").arg(*text));
    }
    throw Error(QStringLiteral("An empty value was read where a number is needed."));
}

QString Variant::text() const
{
    if (const double* number = std::get_if<double>(&m_value))
        return defaultNumberText(*number);
    if (const QString* text = std::get_if<QString>(&m_value))
        return *text;
    return {};
}

} // namespace lrv
