#pragma once
// The host's record of what one key does in one profile: 16 bytes in the
// Key action store and in profile files.

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorlin::keys {

// Values outside the enumerators can come from files and are kept as read.
enum class KeyActionKind : uint16_t {
  kDefault = 0,
  kDisabled = 1,
  kSingleKey = 2,   // param: the Key code to send
  kRunProgram = 3,  // param: pool offset of the path; host-side only
  kMacro = 4,       // param: macro identifier; aux: play count
  kStopMacro = 5,
  kTextBlock = 6,  // param: pool offset of the text; host-side only
  kMedia = 7,      // param: Media index
  kFunction = 8,   // param: built-in function number 0..10
};

inline constexpr int kFunctionCount = 11;

struct KeyAction {
  KeyActionKind kind = KeyActionKind::kDefault;
  uint16_t aux = 0;
  uint32_t param = 0;
  // Bytes 8..11 are not part of the action: the lighting view keeps a
  // per-button selection flag there. Carried through files, never encoded
  // into a key table.
  uint32_t selection_flag = 0;
  uint32_t reserved = 0;

  friend bool operator==(const KeyAction&, const KeyAction&) = default;
};

inline constexpr std::size_t kKeyActionSize = 16;

void EncodeKeyAction(const KeyAction& action, std::span<uint8_t, kKeyActionSize> out);
KeyAction DecodeKeyAction(std::span<const uint8_t, kKeyActionSize> in);

constexpr bool OwnsText(KeyActionKind kind) {
  return kind == KeyActionKind::kRunProgram || kind == KeyActionKind::kTextBlock;
}

}  // namespace quorlin::keys
