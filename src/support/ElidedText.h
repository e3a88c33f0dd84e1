#pragma once

#include <QString>

class QFontMetrics;

namespace lrv {

/// The text cut to fit `width` pixels with an ellipsis. A number in exponent form ("4.50662227616609E-05")
/// loses digits of its mantissa, never its exponent ("4.5066…E-05"); any other text is cut at its end.
QString elidedText(const QString& text, const QFontMetrics& metrics, int width);

} // namespace lrv
