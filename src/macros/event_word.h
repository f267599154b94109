#pragma once
// One macro event as the keyboard's macro area stores it: four bytes.
// The first 16-bit word holds the delay in 10 ms units (bits 0..11), the
// class (bits 12..14) and the press bit (15); class, low byte and high byte
// of the second word read like a key table entry.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "macros/macro_record.h"

namespace quorlin::macros {

inline constexpr std::size_t kEventWordSize = 4;

namespace event_class {
inline constexpr uint8_t kNone = 0;
inline constexpr uint8_t kMouse = 1;
inline constexpr uint8_t kKeyboard = 2;
inline constexpr uint8_t kConsumer = 3;  // only ever read
inline constexpr uint8_t kSystem = 4;
}  // namespace event_class

// Delays longer than the field holds wrap (the editor never makes them).
void EncodeEventWord(const MacroEvent& event, std::span<uint8_t, kEventWordSize> out);
MacroEvent DecodeEventWord(std::span<const uint8_t, kEventWordSize> in);

}  // namespace quorlin::macros
