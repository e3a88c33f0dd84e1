#include "support/StringHelpers.h"

namespace lrv::StringHelpers {

bool ContainsText(const QString& text, const QString& part) { return text.contains(part, Qt::CaseSensitive); }

bool EndsWithText(const QString& text, const QString& suffix) { return text.endsWith(suffix, Qt::CaseSensitive); }

} // namespace lrv::StringHelpers
