#include "macros/event_word.h"

#include "keys/key_catalogue.h"
#include "keys/key_table_entry.h"
#include "keys/little_endian.h"
#include "keys/modifier_keys.h"

namespace quorlin::macros {
namespace {

namespace le = keys::le;
using keys::DeviceClass;

constexpr std::size_t kFirstWordAt = 0;
constexpr std::size_t kSecondWordAt = 2;
static_assert(kSecondWordAt + 2 == kEventWordSize);

constexpr uint16_t kDelayMask = 0x0FFF;
constexpr int kClassShift = 12;
constexpr uint16_t kClassMask = 0x7;
constexpr uint16_t kPressBit = 0x8000;

struct EventCode {
  uint8_t event_class = event_class::kNone;
  uint16_t code = 0;  // the second word
};

constexpr uint16_t Word(uint8_t low, uint8_t high) {
  return static_cast<uint16_t>(low | high << 8);
}

EventCode MouseCode(uint8_t device_code) {
  using keys::entry_sub::kMouseButton;
  using keys::entry_sub::kMouseWheel;
  switch (device_code) {
    case 0xF1:
      return {event_class::kMouse, Word(kMouseButton, keys::kMouseLeftMask)};
    case 0xF2:
      return {event_class::kMouse, Word(kMouseButton, keys::kMouseRightMask)};
    case 0xF3:
      return {event_class::kMouse, Word(kMouseButton, keys::kMouseMiddleMask)};
    case 0xF4:
      return {event_class::kMouse, Word(kMouseWheel, keys::kWheelUpStep)};
    case 0xF5:
      return {event_class::kMouse, Word(kMouseWheel, keys::kWheelDownStep)};
    default:
      return {};  // mouse codes no key has: nothing to send
  }
}

EventCode CodeOf(keys::KeyCode key) {
  const keys::ClassifiedDeviceCode device = keys::DeviceCodeOf(key);
  switch (device.device_class) {
    case DeviceClass::kKeyboard:
      if (const uint8_t bit = keys::ModifierBit(key); bit != 0) {
        return {event_class::kKeyboard, Word(keys::entry_sub::kModifier, bit)};
      }
      return {event_class::kKeyboard, Word(keys::entry_sub::kUsage, device.code)};
    case DeviceClass::kSystemControl:
      return {event_class::kSystem, device.code};
    case DeviceClass::kMouse:
      return MouseCode(device.code);
    default:
      return {};
  }
}

}  // namespace

void EncodeEventWord(const MacroEvent& event, std::span<uint8_t, kEventWordSize> out) {
  const EventCode code = CodeOf(event.key);
  const auto delay_units = static_cast<uint16_t>((event.delay / kDelayStep) & kDelayMask);
  uint16_t first = static_cast<uint16_t>(delay_units | code.event_class << kClassShift);
  if (event.direction == kPress) first |= kPressBit;
  le::Write16(out, kFirstWordAt, first);
  le::Write16(out, kSecondWordAt, code.code);
}

MacroEvent DecodeEventWord(std::span<const uint8_t, kEventWordSize> in) {
  const uint16_t first = le::Read16(in, kFirstWordAt);
  const keys::KeyTableEntry entry{.type = static_cast<uint8_t>((first >> kClassShift) & kClassMask),
                                  .b1 = in[kSecondWordAt],
                                  .b2 = in[kSecondWordAt + 1]};
  return {.delay = (first & kDelayMask) * kDelayStep,
          .key = keys::DecodeEntry(entry),
          .direction = (first & kPressBit) != 0 ? kPress : kRelease};
}

}  // namespace quorlin::macros
