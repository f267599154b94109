#pragma once
// The buttons of the keyboard view that show a per-key colour, and where
// each one sits in the keyboard's LED matrix (row × 21 + column).
//
// A lit key is one of the 106 ordinary keys (by its position in the key
// button list), the G keys (all nine share one LED slot and so one colour
// and one base-colour mark), or Fn.

#include <array>
#include <optional>

#include "keys/key_button_list.h"

namespace quorlin::lighting {

inline constexpr int kMatrixColumns = 21;
inline constexpr int kMatrixRows = 6;
inline constexpr int kLedCount = kMatrixRows * kMatrixColumns;  // 126

inline constexpr int kKeyButtonCount = static_cast<int>(keys::kKeyButtonCodes.size());
static_assert(kKeyButtonCount == 106);
inline constexpr int kGKeysLitKey = kKeyButtonCount;   // 106
inline constexpr int kFnLitKey = kKeyButtonCount + 1;  // 107
inline constexpr int kLitKeyCount = kKeyButtonCount + 2;

inline constexpr int kGKeysLed = 125;
inline constexpr int kFnLed = 110;

// LED index of each lit key, key button positions first.
const std::array<int, kLitKeyCount>& LitKeyLeds();

constexpr bool IsLitKey(int lit_key) {
  return lit_key >= 0 && lit_key < kLitKeyCount;
}
// The LED slot of a lit key; nothing for anything else.
std::optional<int> LedOf(int lit_key);

}  // namespace quorlin::lighting
