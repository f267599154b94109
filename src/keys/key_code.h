#pragma once
// Key codes (the program's 16-bit identity of a key, after the set-1 scan code
// with the extended flag as 0x100) and Key indexes (the slot of a code in the
// catalogue and in every per-key store).

#include <cstdint>

namespace quorlin::keys {

using KeyCode = uint16_t;

inline constexpr KeyCode kNoKey = 0x0000;

// G-keys are not keys of the catalogue; their codes follow the extended range.
inline constexpr KeyCode kFirstGKeyCode = 0x0200;
inline constexpr int kGKeyCount = 18;     // what a key table can hold
inline constexpr int kViewGKeyCount = 9;  // what the editors and the view address

// Catalogue slots 0..255; the per-key stores add the G-keys at 256..273.
inline constexpr int kCatalogueSize = 256;
inline constexpr int kFirstGKeyIndex = 256;
inline constexpr int kKeyIndexCount = kFirstGKeyIndex + kGKeyCount;

constexpr int KeyIndexFromCode(KeyCode code) {
  if (code < 0x100) return code;
  if (code < 0x200) return (code - 0x80) % 256;
  return code - 0x100;
}

// Indexes from 256 map back onto the G-key range, the inverse of the rule above.
constexpr KeyCode KeyCodeFromIndex(int index) {
  if (index < 0) return kNoKey;
  if (index < 0x80) return static_cast<KeyCode>(index);
  if (index < kCatalogueSize) return static_cast<KeyCode>(index + 0x80);
  if (index <= 0xFFFF - 0x100) return static_cast<KeyCode>(index + 0x100);
  return kNoKey;
}

constexpr KeyCode GKeyCode(int number) {  // number 1..18
  return static_cast<KeyCode>(kFirstGKeyCode + number - 1);
}

constexpr bool IsGKeyCode(KeyCode code) {
  return code >= kFirstGKeyCode && code < kFirstGKeyCode + kGKeyCount;
}

// Mouse functions and what the firmware calls them.
inline constexpr KeyCode kMouseLeft = 0x0171;
inline constexpr KeyCode kMouseRight = 0x0172;
inline constexpr KeyCode kMouseMiddle = 0x0173;
inline constexpr KeyCode kWheelUp = 0x0161;
inline constexpr KeyCode kWheelDown = 0x0162;

inline constexpr uint8_t kMouseLeftMask = 0x01;
inline constexpr uint8_t kMouseRightMask = 0x02;
inline constexpr uint8_t kMouseMiddleMask = 0x04;
inline constexpr uint8_t kWheelUpStep = 0x01;    // +1
inline constexpr uint8_t kWheelDownStep = 0xFF;  // -1

// Button mask of a mouse-button code, 0 for anything else.
constexpr uint8_t MouseButtonMask(KeyCode code) {
  switch (code) {
    case kMouseLeft:
      return kMouseLeftMask;
    case kMouseRight:
      return kMouseRightMask;
    case kMouseMiddle:
      return kMouseMiddleMask;
    default:
      return 0;
  }
}

// Wheel step byte of a wheel code, 0 for anything else.
constexpr uint8_t WheelStep(KeyCode code) {
  if (code == kWheelUp) return kWheelUpStep;
  if (code == kWheelDown) return kWheelDownStep;
  return 0;
}

// Keys the macro recorder gives an extra press in front of each of their events.
constexpr bool NeedsSyntheticPress(KeyCode code) {
  return code == 0x0054 || code == 0x0071 || code == 0x0072 || code == 0x0137;
}

}  // namespace quorlin::keys
