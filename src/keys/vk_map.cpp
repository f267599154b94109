#include "keys/vk_map.h"

#include "keys/catalogue_table.h"
#include "keys/key_catalogue.h"

namespace quorlin::keys {
namespace {

constexpr uint8_t kVkShift = 0x10;
constexpr uint8_t kVkControl = 0x11;
constexpr uint8_t kVkMenu = 0x12;
constexpr uint8_t kVkSnapshot = 0x2C;
constexpr uint8_t kVkNone = 0xFF;

// Mouse buttons and the pseudo keys of the mouse and office functions come
// from no keyboard, so a virtual key must never be read as one of them.
constexpr bool IsExcludedVk(int vk) {
  return vk == kVkNone || vk == 0x01 || vk == 0x02 || vk == 0x04 || (vk >= 0x88 && vk <= 0x8C) ||
         (vk >= 0x97 && vk <= 0x9F);
}

constexpr uint8_t IndexOf(KeyCode code) {
  return static_cast<uint8_t>(KeyIndexFromCode(code));
}

constexpr std::array<uint8_t, 256> BuildVkMap() {
  std::array<uint8_t, 256> map{};
  for (int index = kCatalogueSize - 1; index > 0; --index) {  // lowest index wins
    const CatalogueEntry& entry = detail::kCatalogue[static_cast<std::size_t>(index)];
    if (IsInUse(entry)) map[entry.vk] = static_cast<uint8_t>(index);
  }
  for (std::size_t vk = 0; vk < map.size(); ++vk) {
    if (IsExcludedVk(static_cast<int>(vk))) map[vk] = 0;
  }
  // The generic modifier keys stand for the left-hand keys.
  map[kVkShift] = IndexOf(0x002A);
  map[kVkControl] = IndexOf(0x001D);
  map[kVkMenu] = IndexOf(0x0038);
  map[kVkSnapshot] = IndexOf(0x0137);  // Print Screen, not Sys Req
  return map;
}

constexpr std::array<uint8_t, 256> kVkMap = BuildVkMap();

static_assert(kVkMap[0x0D] == 0x1C, "Enter before keypad Enter");
static_assert(kVkMap[0xA1] == 0x36, "the plain Right Shift before its second entry");
static_assert(kVkMap[0x24] == 0xC7, "the Alternate VK stays out of the map");

}  // namespace

const std::array<uint8_t, 256>& VkMap() {
  return kVkMap;
}

KeyCode KeyFromVk(uint32_t vk) {
  if (vk > 0xFF) return kNoKey;
  const uint8_t index = kVkMap[vk];
  return index != 0 ? KeyCodeFromIndex(index) : kNoKey;
}

KeyCode KeyFromKeyMessage(uint32_t vk, uint32_t lparam) {
  const KeyCode from_vk = KeyFromVk(vk);
  const auto scan = static_cast<KeyCode>((lparam >> 16) & 0x1FF);
  if (scan == 0x036) return 0x0036;  // Right Shift, whatever the virtual key says
  if (vk == kVkNone) return scan;
  if ((scan & 0xFF) == 0) return from_vk;
  const CatalogueEntry* entry = CatalogueEntryOf(scan);
  if (entry != nullptr && (vk == entry->vk || vk == entry->alternate_vk)) return scan;
  if (vk <= 0xFF && (scan & 0xFF) == kVkMap[vk]) return scan;
  return from_vk;
}

}  // namespace quorlin::keys
