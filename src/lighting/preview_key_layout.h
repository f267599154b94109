#pragma once
// Where the keys sit for the preview's effects, by LED index (see
// lit_keys.h): a grid in keyboard geometry for effects that run across
// columns or rows, a walking path through every key for effects that flow
// from key to key, and diagonal bands.

#include <array>
#include <cstdint>

#include "lighting/lit_keys.h"

namespace quorlin::lighting {

inline constexpr int kNoLed = -1;

inline constexpr int kGridColumns = 23;
inline constexpr int kGridRows = 6;

using GridRow = std::array<int8_t, kGridColumns>;

// Column 0 is the left edge; a wide key fills every cell it covers. The
// right Windows key sits in the gap between Application and right Ctrl so
// that every key of the view takes part in the column and row effects.
// clang-format off
inline constexpr std::array<GridRow, kGridRows> kKeyGrid = {{
    //  0    1    2    3    4    5    6    7    8    9   10   11   12   13   14   15   16   17   18   19   20   21   22
    {  -1,  -1,   0,   1,   2,   3,   4,  -1,   5,   6,   7,   8,   9,  10,  11,  12,  14,  15,  16,  -1,  -1,  -1,  -1},
    {  -1,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,  32,  33,  34,  34,  35,  36,  37,  38,  39,  40,  41},
    {  -1,  42,  43,  44,  45,  46,  47,  48,  49,  50,  51,  52,  53,  54,  55,  55,  56,  57,  58,  59,  60,  61,  -1},
    {  -1,  63,  64,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  76,  76,  -1,  -1,  -1,  -1,  80,  81,  82,  62},
    {  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  94,  95,  96,  -1,  97,  97,  -1,  99,  -1, 101, 102, 103, 104},
    { 105, 106, 107,  -1,  -1,  -1, 108,  -1, 109, 109, 110, 111, 112, 113, 113, 119, 120, 121, 123, 123, 124,  -1,  -1},
}};
// clang-format on

constexpr int GridLed(int row, int column) {
  return kKeyGrid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

// Every key the preview lights: the 106 keys and Fn (the G keys have no LED
// of their own to animate).
inline constexpr int kPathLength = kKeyButtonCount + 1;

// The walking path: from Pause leftwards along the top row, down the left
// edge, then snaking row by row (bottom row rightwards, the next row up
// leftwards ...) so neighbours on the path are neighbours on the keyboard.
// clang-format off
inline constexpr std::array<uint8_t, kPathLength> kKeyPath = {
    16, 15, 14, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0,                 // Pause .. Esc
    21, 42, 63, 84, 105,                                                 // ` Tab Caps Shift Ctrl
    106, 107, 108, 109, 110, 111, 112, 113, 119, 120, 121, 123, 124,     // Win .. keypad .
    104, 103, 102, 101, 99, 97, 96, 95, 94, 93, 92, 91, 90, 89, 88, 87, 86, 85,  // keypad Enter .. 0x56
    64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 76, 80, 81, 82, 62,      // A .. keypad +
    61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49, 48, 47, 46, 45, 44, 43,  // keypad 9 .. Q
    22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41,  // 1 .. keypad -
};
// clang-format on

inline constexpr int kBandCount = 12;

namespace detail {

// A key's band follows the "/" diagonal through its leftmost cell: column
// plus row runs from 2 (Esc, grave) to 26 (keypad Enter), spread over the
// twelve bands.
constexpr std::array<int8_t, kLedCount> MakeBands() {
  std::array<int8_t, kLedCount> band{};
  band.fill(kNoLed);
  for (int column = 0; column < kGridColumns; ++column) {
    for (int row = 0; row < kGridRows; ++row) {
      const int led = GridLed(row, column);
      if (led == kNoLed || band[static_cast<std::size_t>(led)] != kNoLed) continue;
      band[static_cast<std::size_t>(led)] =
          static_cast<int8_t>((column + row - 2) * kBandCount / 25);
    }
  }
  return band;
}

// A fixed shuffle of the path for the twinkle effect, so sparkles land all
// over the keyboard rather than marching along the path.
constexpr std::array<uint8_t, kPathLength> MakeTwinkleOrder() {
  std::array<uint8_t, kPathLength> order = kKeyPath;
  uint32_t lcg = 20240613u;
  for (int i = kPathLength - 1; i > 0; --i) {
    lcg = lcg * 1664525u + 1013904223u;
    const auto j = static_cast<std::size_t>((lcg >> 8) % static_cast<uint32_t>(i + 1));
    const uint8_t kept = order[static_cast<std::size_t>(i)];
    order[static_cast<std::size_t>(i)] = order[j];
    order[j] = kept;
  }
  return order;
}

}  // namespace detail

// Band 0..11 of each LED, kNoLed for LEDs without a key on the grid.
inline constexpr std::array<int8_t, kLedCount> kBandOfLed = detail::MakeBands();
inline constexpr std::array<uint8_t, kPathLength> kTwinkleOrder = detail::MakeTwinkleOrder();

static_assert(kBandOfLed[0] == 0, "Esc opens the first band");
static_assert(kBandOfLed[104] == kBandCount - 1, "keypad Enter closes the last band");

}  // namespace quorlin::lighting
