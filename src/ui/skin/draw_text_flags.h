#pragma once
// Caption format flags with the values of the Windows DrawText flags, which
// the windows' tables are written in, and their Qt equivalents.

#include <QColor>
#include <cstdint>

namespace quorlin::ui {

namespace draw_text {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kBottom = 0x8;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kNoPrefix = 0x800;
inline constexpr unsigned kEndEllipsis = 0x8000;
// Centred both ways on one line: 37.
inline constexpr unsigned kDefaultFormat = kCenter | kVCenter | kSingleLine;
}  // namespace draw_text

// Alignment and text flags for QPainter::drawText. '&' marks a mnemonic
// unless kNoPrefix is given.
int QtTextFlags(unsigned format);

// A colour written as a Windows COLORREF (0x00BBGGRR).
constexpr QColor ColorFromColorRef(std::uint32_t colorref) {
  return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                static_cast<int>((colorref >> 16) & 0xFF));
}

}  // namespace quorlin::ui
