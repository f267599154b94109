#pragma once
// The program's copy of the keyboard's per-key colours: for each profile
// slot a 512-byte block of red, green, blue per LED index, laid out as the
// keyboard stores it (the keyboard cannot give it back, so this copy and the
// user settings files are the only record). Beside it, the base-colour mark
// of every lit key per profile slot.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/commands.h"
#include "lighting/colour.h"
#include "lighting/lit_keys.h"

namespace quorlin::lighting {

inline constexpr int kProfileSlots = device::kProfileCount;
inline constexpr std::size_t kColourBlockSize = device::kKeyColourBlockSize;
static_assert(kColourBlockSize == 512);
// The highest LED index whose three bytes fit in a block.
inline constexpr int kMaxBlockLed = static_cast<int>(kColourBlockSize / 3) - 1;
static_assert(kLedCount - 1 <= kMaxBlockLed);

using ColourBlock = std::array<uint8_t, kColourBlockSize>;

struct KeyColourTable {
  std::array<ColourBlock, kProfileSlots> blocks{};

  friend bool operator==(const KeyColourTable&, const KeyColourTable&) = default;
};

constexpr bool ValidProfileSlot(int slot) {
  return slot >= 0 && slot < kProfileSlots;
}
constexpr bool ValidLed(int led) {
  return led >= 0 && led <= kMaxBlockLed;
}

// Black for a slot or LED outside the table.
Rgb ColourAt(const KeyColourTable& table, int profile_slot, int led);
// Ignored for a slot or LED outside the table.
void SetColourAt(KeyColourTable& table, int profile_slot, int led, Rgb colour);

using BaseColourMarks = std::array<std::array<bool, kLitKeyCount>, kProfileSlots>;

}  // namespace quorlin::lighting
