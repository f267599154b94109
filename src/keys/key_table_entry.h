#pragma once
// The keyboard's form of a key function: three bytes per matrix position.

#include <cstddef>
#include <cstdint>
#include <span>

#include "keys/key_code.h"

namespace quorlin::keys {

struct KeyTableEntry {
  uint8_t type = 0;
  uint8_t b1 = 0;
  uint8_t b2 = 0;

  friend bool operator==(const KeyTableEntry&, const KeyTableEntry&) = default;
};

inline constexpr std::size_t kKeyTableEntrySize = 3;

namespace entry_type {
inline constexpr uint8_t kNone = 0x00;
inline constexpr uint8_t kMouse = 0x01;     // b1: kMouseButton or kMouseWheel
inline constexpr uint8_t kKey = 0x02;       // b1: kModifier or kUsage
inline constexpr uint8_t kConsumer = 0x03;  // b1 b2: 16-bit consumer usage
inline constexpr uint8_t kSystem = 0x04;    // b1 b2: system control usage 0x81..0x83
inline constexpr uint8_t kFirmware = 0x05;  // b1: kPlayMacro, kStopMacro, kBuiltIn
inline constexpr uint8_t kGKey = 0x06;      // b1 = kGKeyMarker, b2 = G-key number
}  // namespace entry_type

namespace entry_sub {
inline constexpr uint8_t kMouseButton = 0x01;
inline constexpr uint8_t kMouseWheel = 0x05;
inline constexpr uint8_t kModifier = 0x01;
inline constexpr uint8_t kUsage = 0x02;
inline constexpr uint8_t kPlayMacro = 0x01;
inline constexpr uint8_t kStopMacro = 0x02;
inline constexpr uint8_t kBuiltIn = 0x05;
inline constexpr uint8_t kGKeyMarker = 0xA2;
}  // namespace entry_sub

KeyTableEntry ReadEntry(std::span<const uint8_t, kKeyTableEntrySize> bytes);
void WriteEntry(const KeyTableEntry& entry, std::span<uint8_t, kKeyTableEntrySize> bytes);

// The key an entry stands for; 0 for entries that stand for no key.
KeyCode DecodeEntry(const KeyTableEntry& entry);
KeyCode DecodeEntry(std::span<const uint8_t, kKeyTableEntrySize> bytes);

// The entry that makes a position send `code`. Codes without a keyboard-class
// Device code (system keys, functions without one) give 02 02 00: nothing.
KeyTableEntry SingleKeyEntry(KeyCode code);

constexpr uint16_t UsageOf(const KeyTableEntry& entry) {
  return static_cast<uint16_t>(entry.b1 | (entry.b2 << 8));
}

}  // namespace quorlin::keys
