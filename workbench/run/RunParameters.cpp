#include "run/RunParameters.h"

#include "support/Error.h"

#include <cmath>

namespace wb {

RunParameters::RunParameters(std::shared_ptr<RunDocument> document)
    : m_document(std::move(document))
{
}

bool RunParameters::FindOrdinal(const QString& key) const { return m_document->parameters.count(key) > 0; }

lrv::RunParameter RunParameters::item(const QString& key) const
{
    const auto it = m_document->parameters.find(key);
    if (it == m_document->parameters.end())
        throw lrv::Error(QStringLiteral("The run has no parameter \"%1\".").arg(key));
    return it->second;
}

void RunParameters::set(const QString& key, std::int32_t type, const lrv::Variant& value)
{
    const auto it = m_document->parameters.find(key);
    if (it == m_document->parameters.end())
        return;
    if (type != lrv::RunParameterInt32 && type != lrv::RunParameterNumberText && type != lrv::RunParameterText)
        throw lrv::Error(QStringLiteral("Parameter \"%1\": type %2 is not supported; use 3 (32-bit number), 5 "
                                        "(number as text) or 8 (text).")
                             .arg(key)
                             .arg(type));
    if (type == lrv::RunParameterText) {
        it->second = { type, lrv::Variant(value.text()) };
        return;
    }
    if (!value.isNumeric())
        throw lrv::Error(QStringLiteral("Parameter \"%1\" takes a number, not \"%2\".").arg(key, value.text()));
    if (type == lrv::RunParameterInt32) {
        const double number = std::round(value.toDouble());
        if (number < -2147483648.0 || number > 2147483647.0)
            throw lrv::Error(QStringLiteral("Parameter \"%1\": %2 does not fit 32 bits.").arg(key, value.text()));
        it->second = { type, lrv::Variant(number) };
    } else {
        it->second = { type, value };
    }
}

void RunParameters::add(const QString& key, const lrv::RunParameter& parameter)
{
    m_document->parameters.try_emplace(key, parameter);
}

std::int32_t RunParameters::integer(const QString& key, std::int32_t fallback) const
{
    const auto it = m_document->parameters.find(key);
    if (it == m_document->parameters.end() || !it->second.value.isNumeric())
        return fallback;
    const double number = std::round(it->second.value.toDouble());
    if (number < -2147483648.0 || number > 2147483647.0)
        return fallback;
    return std::int32_t(number);
}

} // namespace wb
