#include "keys/key_table_entry.h"

#include "keys/key_catalogue.h"
#include "keys/modifier_keys.h"

namespace quorlin::keys {
namespace {

constexpr KeyCode kMouseButtonCodes[] = {kMouseLeft, kMouseRight, kMouseMiddle};

KeyCode DecodeMouse(const KeyTableEntry& entry) {
  if (entry.b1 == entry_sub::kMouseButton) {
    for (KeyCode code : kMouseButtonCodes) {
      if (MouseButtonMask(code) == entry.b2) return code;
    }
    return kNoKey;
  }
  if (entry.b1 == entry_sub::kMouseWheel) {
    if (entry.b2 == kWheelUpStep) return kWheelUp;
    if (entry.b2 == kWheelDownStep) return kWheelDown;
  }
  return kNoKey;
}

KeyCode DecodeKey(const KeyTableEntry& entry) {
  if (entry.b1 == entry_sub::kModifier) return KeyFromModifierBits(entry.b2);
  if (entry.b1 == entry_sub::kUsage) return KeyFromUsage(7, entry.b2);
  return kNoKey;
}

KeyCode DecodeGKey(const KeyTableEntry& entry) {
  if (entry.b1 != entry_sub::kGKeyMarker || entry.b2 < 1 || entry.b2 > kGKeyCount) return kNoKey;
  return GKeyCode(entry.b2);
}

}  // namespace

KeyTableEntry ReadEntry(std::span<const uint8_t, kKeyTableEntrySize> bytes) {
  return {bytes[0], bytes[1], bytes[2]};
}

void WriteEntry(const KeyTableEntry& entry, std::span<uint8_t, kKeyTableEntrySize> bytes) {
  bytes[0] = entry.type;
  bytes[1] = entry.b1;
  bytes[2] = entry.b2;
}

KeyCode DecodeEntry(const KeyTableEntry& entry) {
  switch (entry.type) {
    case entry_type::kMouse:
      return DecodeMouse(entry);
    case entry_type::kKey:
      return DecodeKey(entry);
    case entry_type::kConsumer:
      return KeyFromUsage(12, UsageOf(entry));
    case entry_type::kSystem:
      return KeyFromUsage(1, UsageOf(entry));
    case entry_type::kGKey:
      return DecodeGKey(entry);
    default:
      return kNoKey;  // no function, firmware entries, unknown types
  }
}

KeyCode DecodeEntry(std::span<const uint8_t, kKeyTableEntrySize> bytes) {
  return DecodeEntry(ReadEntry(bytes));
}

KeyTableEntry SingleKeyEntry(KeyCode code) {
  if (const uint8_t bit = ModifierBit(code); bit != 0) {
    return {entry_type::kKey, entry_sub::kModifier, bit};
  }
  if (const uint8_t mask = MouseButtonMask(code); mask != 0) {
    return {entry_type::kMouse, entry_sub::kMouseButton, mask};
  }
  if (const uint8_t step = WheelStep(code); step != 0) {
    return {entry_type::kMouse, entry_sub::kMouseWheel, step};
  }
  const ClassifiedDeviceCode device = DeviceCodeOf(code);
  const uint8_t usage = device.device_class == DeviceClass::kKeyboard ? device.code : 0;
  return {entry_type::kKey, entry_sub::kUsage, usage};
}

}  // namespace quorlin::keys
