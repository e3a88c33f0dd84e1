#pragma once

#include <cstdint>

/// Key filters for numeric text boxes: each takes the character code of a key press and returns the
/// code to keep, or 0 to discard the key.
namespace lrv::NumericValidationHelpers {

/// Digits, the locale's decimal separator, "-", "+", "E", "e", Enter and Backspace.
std::int16_t FilterSignedNumberKey(std::int16_t keyCode);
/// The same set without "-".
std::int16_t FilterUnsignedNumberKey(std::int16_t keyCode);
/// Forgets the cached decimal separator, so the next filter reads the locale again.
void ClearDecimalSeparatorCache();

} // namespace lrv::NumericValidationHelpers
