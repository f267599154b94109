#pragma once
// Everything the keyboard keeps in its flash, area by area, as the commands
// address it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "device/keyboard_variant.h"
#include "sim/keyboard_options.h"

namespace quorlin::sim {

inline constexpr int kProfileCount = 3;
inline constexpr std::size_t kDeviceInfoSize = 44;
inline constexpr std::size_t kLightingRecordSize = 42;
inline constexpr std::size_t kLightingAreaSize = kLightingRecordSize * kProfileCount;  // 126
inline constexpr std::size_t kKeyColourTableSize = 512;  // per profile
inline constexpr std::size_t kKeyColourAreaSize = kKeyColourTableSize * kProfileCount;
inline constexpr std::size_t kMacroCapacityUnit = 128;
inline constexpr std::size_t kMacroHeaderSize = 16;

// Byte positions inside the Device info record.
namespace device_info {
inline constexpr std::size_t kFirmwareVersion = 8;  // 16-bit little-endian
inline constexpr std::size_t kActiveProfile = 10;
inline constexpr std::size_t kMacroCapacity = 11;  // in 128-byte units
inline constexpr std::size_t kModeList = 12;       // 32 mode numbers
inline constexpr std::size_t kModeListSize = 32;
}  // namespace device_info

struct KeyboardMemory {
  uint16_t product_id = device::kProductId5000;
  std::array<uint8_t, kDeviceInfoSize> device_info{};
  std::array<uint8_t, kLightingAreaSize> lighting{};
  std::vector<uint8_t> key_tables;         // three tables, profile p at p × S
  std::vector<uint8_t> default_key_table;  // L bytes
  std::vector<uint8_t> macro_area;         // Device info byte 11 × 128 bytes
  std::array<uint8_t, kKeyColourAreaSize> key_colours{};

  bool operator==(const KeyboardMemory&) const = default;
};

// The memory of a keyboard fresh from the factory.
KeyboardMemory FactoryMemory(const VirtualKeyboardOptions& options);

// Checks that every area has the size the product and the Device info
// record call for; on failure says which one does not. The contents are not
// judged: tests need keyboards that report odd values.
bool CheckMemory(const KeyboardMemory& memory, std::string* error);

std::size_t MacroCapacity(const KeyboardMemory& memory);
std::size_t KeyTablesSize(const device::KeyboardVariant& variant);

}  // namespace quorlin::sim
