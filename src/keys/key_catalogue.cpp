#include "keys/key_catalogue.h"

#include <optional>

#include "keys/catalogue_table.h"
#include "keys/consumer_codes.h"

namespace quorlin::keys {
namespace {

using detail::kCatalogue;

std::optional<uint8_t> WantedDeviceCode(int usage_class, uint16_t value) {
  switch (usage_class) {
    case 7:
      if (value > 0xFF) return std::nullopt;
      return static_cast<uint8_t>(value);
    case 1:
      if (value < 0x81 || value > 0x83) return std::nullopt;
      return static_cast<uint8_t>(value);
    case 12:
      return MediaDeviceCodeOfUsage(value);
    default:
      return std::nullopt;
  }
}

}  // namespace

std::span<const CatalogueEntry, kCatalogueSize> Catalogue() {
  return kCatalogue;
}

const CatalogueEntry* CatalogueEntryOf(KeyCode code) {
  const int index = KeyIndexFromCode(code);
  if (index < 0 || index >= kCatalogueSize) return nullptr;
  return &kCatalogue[static_cast<std::size_t>(index)];
}

ClassifiedDeviceCode ClassifyDeviceCode(uint8_t device_code) {
  if (device_code == 0x00 || device_code == 0xFF) return {};
  if (device_code >= 0x81 && device_code <= 0x83) {
    return {DeviceClass::kSystemControl, device_code};
  }
  if (device_code >= 0xF1 && device_code <= 0xF8) return {DeviceClass::kMouse, device_code};
  return {DeviceClass::kKeyboard, device_code};
}

ClassifiedDeviceCode DeviceCodeOf(KeyCode code) {
  const CatalogueEntry* entry = CatalogueEntryOf(code);
  return entry != nullptr ? ClassifyDeviceCode(entry->device_code) : ClassifiedDeviceCode{};
}

KeyCode KeyFromUsage(int usage_class, uint16_t value) {
  const std::optional<uint8_t> wanted = WantedDeviceCode(usage_class, value);
  if (!wanted) return kNoKey;
  // First match wins: 0x48 names Pause before Break, 0xE5 the plain Right Shift.
  for (int index = 0; index < kCatalogueSize; ++index) {
    if (kCatalogue[static_cast<std::size_t>(index)].device_code == *wanted) {
      return KeyCodeFromIndex(index);
    }
  }
  return kNoKey;
}

}  // namespace quorlin::keys
