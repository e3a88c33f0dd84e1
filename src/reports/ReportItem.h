#pragma once

#include "support/OleColor.h"

#include <cstdint>

namespace lrv {

/// How a numeric item's caption is made from its value when the grid shows it. Formatting on display
/// keeps a refresh of 100,000 rows from formatting a million numbers nobody looks at.
enum class CaptionFormat : std::uint8_t {
    None, ///< the value's default text
    Value8, ///< roundedText8
    Value15, ///< roundedText15
    PercentOfHundred, ///< value / 100 in the locale's percent format with 2 decimals
};

/// One cell of a record, kept compact (16 bytes) because a refresh may hold a million of them.
struct ReportItem {
    double number = 0;
    /// Index into the model's text pool: the item's text value, or its caption when hasCaption.
    std::int32_t text = -1;
    std::uint32_t background : 24 = 0;
    std::uint32_t hasBackground : 1 = 0;
    std::uint32_t isText : 1 = 0;
    std::uint32_t hasCaption : 1 = 0;
    std::uint32_t format : 3 = 0;
};

static_assert(sizeof(ReportItem) == 16, "a report item must stay compact");

} // namespace lrv
