#pragma once
// The fixed lists of the scripted show: a sweep over the keyboard from left
// to right, then two lights crossing each other along the middle rows.

#include <array>
#include <cstddef>
#include <cstdint>

#include "lighting/preview_key_layout.h"

namespace quorlin::lighting {

inline constexpr int kSweepLength = 20;
inline constexpr int kSweepWidth = 6;
using SweepColumn = std::array<int8_t, kSweepWidth>;

namespace detail {

// Keys in the order a vertical line meets them moving right over the grid,
// shared out over the sweep's columns in equal runs of five or six.
constexpr std::array<SweepColumn, kSweepLength> MakeSweep() {
  std::array<int8_t, kPathLength> order{};
  std::array<bool, kLedCount> seen{};
  int count = 0;
  for (int column = 0; column < kGridColumns; ++column) {
    for (int row = 0; row < kGridRows; ++row) {
      const int led = GridLed(row, column);
      if (led == kNoLed || seen[static_cast<std::size_t>(led)]) continue;
      seen[static_cast<std::size_t>(led)] = true;
      order[static_cast<std::size_t>(count++)] = static_cast<int8_t>(led);
    }
  }
  std::array<SweepColumn, kSweepLength> sweep{};
  for (int g = 0; g < kSweepLength; ++g) {
    sweep[static_cast<std::size_t>(g)].fill(kNoLed);
    const int from = g * count / kSweepLength;
    const int to = (g + 1) * count / kSweepLength;
    for (int i = from; i < to; ++i) {
      sweep[static_cast<std::size_t>(g)][static_cast<std::size_t>(i - from)] =
          order[static_cast<std::size_t>(i)];
    }
  }
  return sweep;
}

}  // namespace detail

inline constexpr std::array<SweepColumn, kSweepLength> kShowSweep = detail::MakeSweep();

static_assert(kPathLength <= kSweepLength * kSweepWidth, "the sweep has a cell for every key");
static_assert((kPathLength + kSweepLength - 1) / kSweepLength <= kSweepWidth);

struct KeyPair {
  uint8_t first;
  uint8_t second;
};

inline constexpr int kPairTicks = 31;

// One light runs right along the Tab row while the other runs left along the
// Caps Lock row.
// clang-format off
inline constexpr std::array<KeyPair, 16> kShowPairs = {{
    {42, 62}, {43, 82}, {44, 81}, {45, 80}, {46, 76}, {47, 74}, {48, 73}, {49, 72},
    {50, 71}, {51, 70}, {52, 69}, {53, 68}, {54, 67}, {55, 66}, {56, 65}, {57, 64},
}};
// clang-format on

// The pairs end when P has gone dark; the burst starts on O next to it and
// has run its course once keypad Enter is lit or its lights have all left.
inline constexpr int kShowWaitLed = 52;  // P
inline constexpr int kBurstRow = 2;
inline constexpr int kBurstColumn = 10;   // O
inline constexpr int kBurstEndLed = 104;  // keypad Enter

static_assert(GridLed(kBurstRow, kBurstColumn) == 51, "the burst starts on O");

}  // namespace quorlin::lighting
