#pragma once
// The HID keyboard modifier byte: bit n of the byte is kModifierOrder[n].

#include <array>
#include <cstdint>

#include "keys/key_code.h"

namespace quorlin::keys {

inline constexpr std::array<KeyCode, 8> kModifierOrder = {
    0x001D,  // Left Ctrl
    0x002A,  // Left Shift
    0x0038,  // Left Alt
    0x015B,  // Left Windows
    0x011D,  // Right Ctrl
    0x0036,  // Right Shift
    0x0138,  // Right Alt
    0x015C,  // Right Windows
};

// The modifier bit of a Modifier key, 0 for any other code.
constexpr uint8_t ModifierBit(KeyCode code) {
  for (std::size_t bit = 0; bit < kModifierOrder.size(); ++bit) {
    if (kModifierOrder[bit] == code) return static_cast<uint8_t>(1u << bit);
  }
  return 0;
}

constexpr bool IsModifierKey(KeyCode code) {
  return ModifierBit(code) != 0;
}

// The lowest set bit wins, so a combined mask names its first modifier.
constexpr KeyCode KeyFromModifierBits(uint8_t bits) {
  for (std::size_t bit = 0; bit < kModifierOrder.size(); ++bit) {
    if ((bits >> bit) & 1u) return kModifierOrder[bit];
  }
  return kNoKey;
}

}  // namespace quorlin::keys
