#include "Arguments.h"

#include "Command.h"

namespace wb {

Arguments::Arguments(const QStringList& arguments, const std::set<QString>& options, const std::set<QString>& flags)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QStringLiteral("--")) || argument == QStringLiteral("--")) {
            m_positional << argument;
            continue;
        }
        QString name = argument.mid(2);
        QString inlineValue;
        const bool hasInline = name.contains(QLatin1Char('='));
        if (hasInline) {
            inlineValue = name.section(QLatin1Char('='), 1);
            name = name.section(QLatin1Char('='), 0, 0);
        }
        if (flags.count(name)) {
            if (hasInline)
                throw UsageError(QStringLiteral("--%1 takes no value").arg(name).toStdString());
            m_flags.insert(name);
        } else if (options.count(name)) {
            if (m_values.count(name))
                throw UsageError(QStringLiteral("--%1 is given twice").arg(name).toStdString());
            if (hasInline) {
                m_values[name] = inlineValue;
            } else {
                if (i + 1 >= arguments.size())
                    throw UsageError(QStringLiteral("--%1 needs a value").arg(name).toStdString());
                m_values[name] = arguments[++i];
            }
        } else {
            throw UsageError(QStringLiteral("unknown option %1").arg(argument).toStdString());
        }
    }
}

bool Arguments::has(const QString& name) const { return m_flags.count(name) || m_values.count(name); }

QString Arguments::required(const QString& name) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end() || it->second.isEmpty())
        throw UsageError(QStringLiteral("--%1 is required").arg(name).toStdString());
    return it->second;
}

QString Arguments::value(const QString& name, const QString& fallback) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? fallback : it->second;
}

std::int64_t Arguments::integer(const QString& name, std::int64_t fallback, std::int64_t min, std::int64_t max) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end())
        return fallback;
    bool ok = false;
    const qlonglong number = it->second.toLongLong(&ok);
    if (!ok || number < min || number > max)
        throw UsageError(QStringLiteral("--%1 must be a whole number from %2 to %3, not \"%4\"")
                             .arg(name)
                             .arg(min)
                             .arg(max)
                             .arg(it->second)
                             .toStdString());
    return number;
}

} // namespace wb
