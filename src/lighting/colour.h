#pragma once
// A colour as the lighting code carries it: red, green, blue, one byte each.

#include <cstdint>

namespace quorlin::lighting {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// Windows-style COLORREF (red in the low byte), for the colour picker that
// hands colours over in that form.
constexpr uint32_t ToColorRef(Rgb c) {
  return static_cast<uint32_t>(c.red) | (static_cast<uint32_t>(c.green) << 8) |
         (static_cast<uint32_t>(c.blue) << 16);
}
constexpr Rgb FromColorRef(uint32_t ref) {
  return Rgb{static_cast<uint8_t>(ref & 0xFF), static_cast<uint8_t>((ref >> 8) & 0xFF),
             static_cast<uint8_t>((ref >> 16) & 0xFF)};
}

}  // namespace quorlin::lighting
