#pragma once

#include <exception>
#include <stdexcept>
#include <string>

#include <QString>

namespace lrv {

/// A failure the caller must see; the message says what is wrong and what to do.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message)
        : std::runtime_error(message)
    {
    }
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
    QString message() const { return QString::fromStdString(what()); }
};

/// Runs one step of a routine that goes on past failing steps: the failure is dropped.
/// Returns false when the step failed.
template <typename Step> bool bestEffort(Step&& step) noexcept
{
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace lrv
