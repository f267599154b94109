#pragma once
// The constant catalogue of every key and key function the program knows: one
// entry per Key index 0..255, 157 of them in use.

#include <cstdint>
#include <span>
#include <string_view>

#include "keys/key_code.h"

namespace quorlin::keys {

inline constexpr uint16_t kNoPickListRow = 0xFFFF;
inline constexpr int kCatalogueEntriesInUse = 157;

struct CatalogueEntry {
  std::string_view resource_key;  // TEXT key of the localised name; may be empty
  uint8_t vk = 0;                 // virtual key (keypad: with Num Lock on); 0xFF = none
  uint8_t alternate_vk = 0;       // virtual key with Num Lock off
  uint16_t pick_list_row = kNoPickListRow;
  uint8_t device_code = 0;  // firmware code; 0 = none
};

constexpr bool IsInUse(const CatalogueEntry& entry) {
  return entry.pick_list_row != kNoPickListRow;
}

std::span<const CatalogueEntry, kCatalogueSize> Catalogue();

// The entry of a code's Key index, or nullptr for indexes outside the
// catalogue (G-keys and beyond). Unused slots return their empty entry.
const CatalogueEntry* CatalogueEntryOf(KeyCode code);

// Class numbers follow the HID usage pages where there is one.
enum class DeviceClass : int {
  kNone = 0,
  kSystemControl = 1,  // Generic Desktop
  kMouse = 2,
  kKeyboard = 7,   // Keyboard/Keypad, also the media and office codes
  kConsumer = 12,  // only as input to KeyFromUsage
};

struct ClassifiedDeviceCode {
  DeviceClass device_class = DeviceClass::kNone;
  uint8_t code = 0;  // 0 whenever the class is kNone
};

ClassifiedDeviceCode ClassifyDeviceCode(uint8_t device_code);
ClassifiedDeviceCode DeviceCodeOf(KeyCode code);

// The first catalogue key (lowest index) the firmware usage stands for, or 0.
// `usage_class` is one of 1, 7, 12; any other class finds nothing.
KeyCode KeyFromUsage(int usage_class, uint16_t value);

}  // namespace quorlin::keys
