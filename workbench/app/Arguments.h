#pragma once

#include <cstdint>
#include <map>
#include <set>

#include <QStringList>

namespace wb {

/// A command's arguments: "--name value" options, "--flag" switches and positional arguments. Every
/// mistake throws UsageError with a message naming the argument.
class Arguments {
public:
    /// `options` take a value, `flags` do not.
    Arguments(const QStringList& arguments, const std::set<QString>& options, const std::set<QString>& flags = {});

    bool has(const QString& name) const;
    /// The value of an option that must be given.
    QString required(const QString& name) const;
    QString value(const QString& name, const QString& fallback = {}) const;
    /// A whole-number option within [min, max].
    std::int64_t integer(const QString& name, std::int64_t fallback, std::int64_t min, std::int64_t max) const;
    const QStringList& positional() const { return m_positional; }

private:
    std::map<QString, QString> m_values;
    std::set<QString> m_flags;
    QStringList m_positional;
};

} // namespace wb
