#pragma once

#include <QString>

namespace lrv::StringHelpers {

/// True when part occurs in text (case-sensitive).
bool ContainsText(const QString& text, const QString& part);
/// True when text ends with suffix exactly; an empty suffix always ends a text.
bool EndsWithText(const QString& text, const QString& suffix);

} // namespace lrv::StringHelpers
