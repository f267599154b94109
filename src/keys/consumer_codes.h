#pragma once
// Media Device codes 0xC0 + i stand for the consumer usage in slot i.

#include <array>
#include <cstdint>
#include <optional>

namespace quorlin::keys {

inline constexpr uint8_t kFirstMediaDeviceCode = 0xC0;
inline constexpr uint16_t kNoConsumerUsage = 0x0000;

// Slots 18..31 hold no usage.
inline constexpr std::array<uint16_t, 32> kConsumerCodes = {
    0x00E9,  // 0xC0 volume up
    0x00EA,  // 0xC1 volume down
    0x0183,  // 0xC2 media player
    0x018A,  // 0xC3 mail
    0x0192,  // 0xC4 calculator
    0x0194,  // 0xC5 my computer
    0x0221,  // 0xC6 search
    0x0223,  // 0xC7 home page
    0x0224,  // 0xC8 back
    0x0225,  // 0xC9 forward
    0x0226,  // 0xCA stop browsing
    0x0227,  // 0xCB refresh
    0x022A,  // 0xCC favourites
    0x00E2,  // 0xCD mute
    0x00CD,  // 0xCE play/pause
    0x00B7,  // 0xCF stop
    0x00B6,  // 0xD0 previous track
    0x00B5,  // 0xD1 next track
};

// The media Device code of a consumer usage. Usage 0 marks the empty slots,
// so it has no code of its own.
constexpr std::optional<uint8_t> MediaDeviceCodeOfUsage(uint16_t usage) {
  if (usage == kNoConsumerUsage) return std::nullopt;
  for (std::size_t slot = 0; slot < kConsumerCodes.size(); ++slot) {
    if (kConsumerCodes[slot] == usage) return static_cast<uint8_t>(kFirstMediaDeviceCode + slot);
  }
  return std::nullopt;
}

}  // namespace quorlin::keys
