#include "sim/default_key_table.h"

#include <algorithm>
#include <array>

namespace quorlin::sim {

namespace {

struct Entry {
  uint8_t type = 0;
  uint8_t b1 = 0;
  uint8_t b2 = 0;
};

constexpr Entry Key(uint8_t usage) {
  return {entry_type::kKeyboard, 0x02, usage};
}
constexpr Entry Mod(uint8_t bit) {
  return {entry_type::kKeyboard, 0x01, bit};
}
constexpr Entry G(uint8_t number) {
  return {entry_type::kGKey, 0xA2, number};
}
constexpr Entry kFn{entry_type::kFirmware, 0x00, 0x00};
constexpr Entry kEmpty{};

// HID keyboard usages and modifier bits of the keys named in the matrix.
constexpr uint8_t kLCtrl = 0x01, kLShift = 0x02, kLAlt = 0x04, kLWin = 0x08;
constexpr uint8_t kRCtrl = 0x10, kRShift = 0x20, kRAlt = 0x40, kRWin = 0x80;
// Media keys carry the firmware's media codes (volume up 0xC0, down 0xC1, mute 0xCD).
constexpr uint8_t kVolumeUp = 0xC0, kVolumeDown = 0xC1, kMute = 0xCD;
constexpr uint8_t kSpace = 0x2C;

constexpr std::size_t kMatrixSize = kMatrixRows * kMatrixColumns;

// clang-format off
constexpr std::array<Entry, kMatrixSize> kMatrix = {{
  // Esc, F1..F12, Print Screen, Scroll Lock, Pause, Mute, Volume -, Volume +, G1, G2
  Key(0x29), Key(0x3A), Key(0x3B), Key(0x3C), Key(0x3D), Key(0x3E), Key(0x3F), Key(0x40),
  Key(0x41), Key(0x42), Key(0x43), Key(0x44), Key(0x45), Key(0x46), Key(0x47), Key(0x48),
  Key(kMute), Key(kVolumeDown), Key(kVolumeUp), G(1), G(2),
  // ` 1..0 - = Backspace, Insert, Home, Page Up, Num Lock, KP / * -
  Key(0x35), Key(0x1E), Key(0x1F), Key(0x20), Key(0x21), Key(0x22), Key(0x23), Key(0x24),
  Key(0x25), Key(0x26), Key(0x27), Key(0x2D), Key(0x2E), Key(0x2A), Key(0x49), Key(0x4A),
  Key(0x4B), Key(0x53), Key(0x54), Key(0x55), Key(0x56),
  // Tab Q..P [ ] \, Delete, End, Page Down, KP 7 8 9 +
  Key(0x2B), Key(0x14), Key(0x1A), Key(0x08), Key(0x15), Key(0x17), Key(0x1C), Key(0x18),
  Key(0x0C), Key(0x12), Key(0x13), Key(0x2F), Key(0x30), Key(0x31), Key(0x4C), Key(0x4D),
  Key(0x4E), Key(0x5F), Key(0x60), Key(0x61), Key(0x57),
  // Caps Lock A..L ; ' (ISO #) Enter, G3 G4 G5, KP 4 5 6, G6
  Key(0x39), Key(0x04), Key(0x16), Key(0x07), Key(0x09), Key(0x0A), Key(0x0B), Key(0x0D),
  Key(0x0E), Key(0x0F), Key(0x33), Key(0x34), Key(0x32), Key(0x28), G(3), G(4),
  G(5), Key(0x5C), Key(0x5D), Key(0x5E), G(6),
  // Left Shift (ISO \) Z..M , . / Right Shift, Up, G7, Space, KP 1 2 3 Enter, G8
  Mod(kLShift), Key(0x64), Key(0x1D), Key(0x1B), Key(0x06), Key(0x19), Key(0x05), Key(0x11),
  Key(0x10), Key(0x36), Key(0x37), Key(0x38), Mod(kRShift), Key(0x52), G(7), Key(kSpace),
  Key(0x59), Key(0x5A), Key(0x5B), Key(0x58), G(8),
  // Left Ctrl, Left Win, Space (second switch), Left Alt, Right Alt, Fn, Right Win, Menu,
  // Right Ctrl, Left, Down, Right, KP 0 ., G9, six unused positions
  Mod(kLCtrl), Mod(kLWin), Key(kSpace), Mod(kLAlt), Mod(kRAlt), kFn, Mod(kRWin), Key(0x65),
  Mod(kRCtrl), Key(0x50), Key(0x51), Key(0x4F), Key(0x62), Key(0x63), G(9), kEmpty,
  kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,
}};
// clang-format on

// The large variant has two more positions: the lighting wheel's firmware
// functions, which stand for no key.
constexpr std::array<Entry, 2> kWheelPositions = {
    {{entry_type::kFirmware, 0x06, 0x00}, {entry_type::kFirmware, 0x06, 0x01}}};

constexpr uint8_t kErasedFlash = 0xFF;

void Put(std::vector<uint8_t>& table, std::size_t position, const Entry& entry) {
  const std::size_t at = position * kKeyEntrySize;
  if (at + kKeyEntrySize > table.size()) return;
  table[at] = entry.type;
  table[at + 1] = entry.b1;
  table[at + 2] = entry.b2;
}

}  // namespace

std::vector<uint8_t> BuildDefaultKeyTable(const device::KeyboardVariant& variant) {
  std::vector<uint8_t> table(static_cast<std::size_t>(variant.key_table_length), kErasedFlash);
  const auto key_count = static_cast<std::size_t>(std::max(variant.key_count, 0));
  for (std::size_t i = 0; i < key_count; ++i) {
    if (i < kMatrix.size()) {
      Put(table, i, kMatrix[i]);
    } else if (i - kMatrix.size() < kWheelPositions.size()) {
      Put(table, i, kWheelPositions[i - kMatrix.size()]);
    } else {
      Put(table, i, kEmpty);
    }
  }
  return table;
}

}  // namespace quorlin::sim
