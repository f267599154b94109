#include "keys/key_action.h"

#include "keys/little_endian.h"

namespace quorlin::keys {
namespace {

constexpr std::size_t kKindAt = 0;
constexpr std::size_t kAuxAt = 2;
constexpr std::size_t kParamAt = 4;
constexpr std::size_t kSelectionAt = 8;
constexpr std::size_t kReservedAt = 12;
static_assert(kReservedAt + 4 == kKeyActionSize);

}  // namespace

void EncodeKeyAction(const KeyAction& action, std::span<uint8_t, kKeyActionSize> out) {
  le::Write16(out, kKindAt, static_cast<uint16_t>(action.kind));
  le::Write16(out, kAuxAt, action.aux);
  le::Write32(out, kParamAt, action.param);
  le::Write32(out, kSelectionAt, action.selection_flag);
  le::Write32(out, kReservedAt, action.reserved);
}

KeyAction DecodeKeyAction(std::span<const uint8_t, kKeyActionSize> in) {
  KeyAction action;
  action.kind = static_cast<KeyActionKind>(le::Read16(in, kKindAt));
  action.aux = le::Read16(in, kAuxAt);
  action.param = le::Read32(in, kParamAt);
  action.selection_flag = le::Read32(in, kSelectionAt);
  action.reserved = le::Read32(in, kReservedAt);
  return action;
}

}  // namespace quorlin::keys
