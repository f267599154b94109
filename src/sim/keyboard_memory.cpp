#include "sim/keyboard_memory.h"

#include <algorithm>
#include <cstdio>

#include "sim/default_key_table.h"

namespace quorlin::sim {

namespace {

// Lighting modes 1..18 and the user mode 20; mode 19 is not in this firmware.
constexpr std::array<uint8_t, 19> kModes = {1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                            11, 12, 13, 14, 15, 16, 17, 18, 20};

// A factory record: mode, brightness, speed, direction, multi-colour flag,
// red, green, blue, then the report-rate choice at offset 15.
struct LightingPreset {
  uint8_t mode, brightness, speed, direction, colourful, red, green, blue, report_rate;
};
constexpr std::array<LightingPreset, kProfileCount> kLightingPresets = {{
    {1, 4, 2, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0},   // rainbow wave, the usual first profile
    {3, 5, 3, 0x00, 0x00, 0x00, 0x80, 0xFF, 1},   // breathing in one colour
    {20, 4, 2, 0xFF, 0x00, 0xFF, 0x00, 0x00, 3},  // user mode with per-key colours
}};
constexpr std::size_t kReportRateOffset = 15;

// Per-key colours of each profile for the 6 × 21 LEDs; the rest of the
// 512-byte table is unused and left zero.
constexpr std::array<std::array<uint8_t, 3>, kProfileCount> kLedColours = {{
    {0xFF, 0xFF, 0xFF},
    {0x00, 0xC0, 0xFF},
    {0xFF, 0x40, 0x00},
}};
constexpr std::size_t kLedCount = kMatrixRows * kMatrixColumns;

std::array<uint8_t, kDeviceInfoSize> FactoryDeviceInfo(const VirtualKeyboardOptions& options) {
  std::array<uint8_t, kDeviceInfoSize> info{};
  // Bytes 0..7 identify the board to the firmware; nothing on the host reads them.
  const std::array<uint8_t, 8> board = {'Q',
                                        'K',
                                        static_cast<uint8_t>(options.product_id),
                                        static_cast<uint8_t>(options.product_id >> 8),
                                        0x02,
                                        0x00,
                                        0x00,
                                        0x00};
  std::copy(board.begin(), board.end(), info.begin());
  info[device_info::kFirmwareVersion] = static_cast<uint8_t>(options.firmware_version);
  info[device_info::kFirmwareVersion + 1] = static_cast<uint8_t>(options.firmware_version >> 8);
  info[device_info::kActiveProfile] = options.active_profile;
  info[device_info::kMacroCapacity] = options.macro_capacity_units;
  std::copy(kModes.begin(), kModes.end(), info.begin() + device_info::kModeList);
  return info;
}

std::array<uint8_t, kLightingAreaSize> FactoryLighting() {
  std::array<uint8_t, kLightingAreaSize> area{};
  for (std::size_t p = 0; p < kLightingPresets.size(); ++p) {
    const LightingPreset& preset = kLightingPresets[p];
    uint8_t* record = area.data() + p * kLightingRecordSize;
    const std::array<uint8_t, 8> head = {preset.mode,      preset.brightness, preset.speed,
                                         preset.direction, preset.colourful,  preset.red,
                                         preset.green,     preset.blue};
    std::copy(head.begin(), head.end(), record);
    record[kReportRateOffset] = preset.report_rate;
  }
  return area;
}

std::array<uint8_t, kKeyColourAreaSize> FactoryKeyColours() {
  std::array<uint8_t, kKeyColourAreaSize> area{};
  for (std::size_t p = 0; p < kLedColours.size(); ++p) {
    for (std::size_t led = 0; led < kLedCount; ++led) {
      const std::size_t at = p * kKeyColourTableSize + led * 3;
      std::copy(kLedColours[p].begin(), kLedColours[p].end(), area.begin() + at);
    }
  }
  return area;
}

// An area that holds no macros: magic AA 55, length 16, count 0, names flag 0.
std::vector<uint8_t> EmptyMacroArea(std::size_t capacity) {
  std::vector<uint8_t> area(capacity, 0);
  const std::array<uint8_t, 4> header = {0xAA, 0x55, kMacroHeaderSize, 0x00};
  std::copy_n(header.begin(), std::min(header.size(), area.size()), area.begin());
  return area;
}

bool Fail(std::string* error, const char* area, std::size_t actual, std::size_t expected) {
  if (error != nullptr) {
    char text[160];
    std::snprintf(text, sizeof text, "%s holds %zu bytes, the keyboard has %zu", area, actual,
                  expected);
    *error = text;
  }
  return false;
}

}  // namespace

std::size_t MacroCapacity(const KeyboardMemory& memory) {
  return memory.device_info[device_info::kMacroCapacity] * kMacroCapacityUnit;
}

std::size_t KeyTablesSize(const device::KeyboardVariant& variant) {
  return static_cast<std::size_t>(variant.profile_stride) * kProfileCount;
}

KeyboardMemory FactoryMemory(const VirtualKeyboardOptions& options) {
  const device::KeyboardVariant variant = device::VariantForProduct(options.product_id);
  KeyboardMemory memory;
  memory.product_id = options.product_id;
  memory.device_info = FactoryDeviceInfo(options);
  memory.lighting = FactoryLighting();
  memory.default_key_table = BuildDefaultKeyTable(variant);
  memory.key_tables.reserve(KeyTablesSize(variant));
  for (int p = 0; p < kProfileCount; ++p) {
    memory.key_tables.insert(memory.key_tables.end(), memory.default_key_table.begin(),
                             memory.default_key_table.end());
  }
  memory.key_tables.resize(KeyTablesSize(variant), 0xFF);
  memory.macro_area = EmptyMacroArea(MacroCapacity(memory));
  memory.key_colours = FactoryKeyColours();
  return memory;
}

bool CheckMemory(const KeyboardMemory& memory, std::string* error) {
  const device::KeyboardVariant variant = device::VariantForProduct(memory.product_id);
  const auto table_length = static_cast<std::size_t>(variant.key_table_length);
  if (memory.key_tables.size() != KeyTablesSize(variant)) {
    return Fail(error, "key table area", memory.key_tables.size(), KeyTablesSize(variant));
  }
  if (memory.default_key_table.size() != table_length) {
    return Fail(error, "default key table", memory.default_key_table.size(), table_length);
  }
  if (memory.macro_area.size() != MacroCapacity(memory)) {
    return Fail(error, "macro area", memory.macro_area.size(), MacroCapacity(memory));
  }
  return true;
}

}  // namespace quorlin::sim
