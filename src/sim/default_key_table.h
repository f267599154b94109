#pragma once
// The factory key assignment of the simulated keyboard: a full-size matrix
// of 6 rows by 21 columns in the firmware's 3-byte entry format.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/keyboard_variant.h"

namespace quorlin::sim {

inline constexpr std::size_t kKeyEntrySize = 3;
inline constexpr int kMatrixRows = 6;
inline constexpr int kMatrixColumns = 21;

// The space bar sits on two switches; the firmware reports it at both
// matrix positions, and a key table must keep them equal.
inline constexpr int kSpaceBarPosition = 99;
inline constexpr int kSpaceBarSecondPosition = 107;

// Entry types of the firmware's key table.
namespace entry_type {
inline constexpr uint8_t kNone = 0x00;
inline constexpr uint8_t kKeyboard = 0x02;  // b1 = 0x01 modifier bit, 0x02 usage
inline constexpr uint8_t kFirmware = 0x05;  // macros, built-in functions, Fn
inline constexpr uint8_t kGKey = 0x06;      // b1 = 0xA2, b2 = G-key number
}  // namespace entry_type

// The table the keyboard answers to "read default key table": L bytes, the
// key count's entries first, the rest of the block erased flash (0xFF).
std::vector<uint8_t> BuildDefaultKeyTable(const device::KeyboardVariant& variant);

}  // namespace quorlin::sim
