#pragma once

#include <cstdint>

#include <QColor>

namespace lrv {

/// The system's colour: a 32-bit value with red in the low byte, green in the next and blue above.
using OleColor = std::uint32_t;

constexpr OleColor rgb(int red, int green, int blue)
{
    return OleColor(red & 0xFF) | (OleColor(green & 0xFF) << 8) | (OleColor(blue & 0xFF) << 16);
}

constexpr int redOf(OleColor color) { return int(color & 0xFF); }
constexpr int greenOf(OleColor color) { return int((color >> 8) & 0xFF); }
constexpr int blueOf(OleColor color) { return int((color >> 16) & 0xFF); }

inline QColor toQColor(OleColor color) { return QColor(redOf(color), greenOf(color), blueOf(color)); }
inline OleColor fromQColor(const QColor& color) { return rgb(color.red(), color.green(), color.blue()); }

} // namespace lrv
