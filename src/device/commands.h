#pragma once
// Every command the program sends to the keyboard, one typed function each.
// Callers never build frames themselves.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/command_channel.h"
#include "device/device_info.h"
#include "device/keyboard_variant.h"
#include "device/result.h"

namespace quorlin::device {

inline constexpr std::size_t kLightingRecordSize = 42;
inline constexpr std::size_t kLightingReadSize = 56;  // command 5 always answers 56 bytes
inline constexpr std::size_t kKeyColourBlockSize = 512;
inline constexpr int kKeysPerColourFrame = 18;
inline constexpr int kProfileCount = 3;
using LightingRecordBytes = std::array<uint8_t, kLightingRecordSize>;
using LightingRecords = std::array<LightingRecordBytes, kProfileCount>;

Result BeginBatch(CommandChannel& ch);
// Pauses (10 ms by default) before sending, so the keyboard has finished
// storing what the batch wrote.
Result EndBatch(CommandChannel& ch);

Result ReadDeviceInfo(CommandChannel& ch, DeviceInfo& info);
Result WriteDeviceInfo(CommandChannel& ch, const DeviceInfo& info);

// Command 5: `out` receives the 56 reply bytes whatever `length` asks for.
Result ReadLightingArea(CommandChannel& ch, uint16_t address, uint8_t length,
                        std::span<uint8_t, kLightingReadSize> out);
// Command 6: 1..56 bytes at `address`.
Result WriteLightingArea(CommandChannel& ch, uint16_t address, std::span<const uint8_t> data);

// Commands 7 and 8: L bytes of one profile's key table; -201 for profile >= 3.
Result ReadKeyTable(CommandChannel& ch, const KeyboardVariant& v, int profile,
                    std::span<uint8_t> out);
Result WriteKeyTable(CommandChannel& ch, const KeyboardVariant& v, int profile,
                     std::span<const uint8_t> table);

// Commands 9 and 10: `total` bytes of the macro area from address 0.
Result ReadMacroArea(CommandChannel& ch, std::span<uint8_t> out);
Result WriteMacroArea(CommandChannel& ch, std::span<const uint8_t> image);

// Command 15: the first L bytes of `table`.
Result ReadDefaultKeyTable(CommandChannel& ch, const KeyboardVariant& v, DefaultKeyTable& table);

// Command 17: `data` (at most 56 bytes) for keys from `key_index` on.
Result WriteKeyColours(CommandChannel& ch, int profile, int key_index,
                       std::span<const uint8_t> data);
// Begin batch, eight frames of 18 keys, End batch. Returns the first failure
// of the colour frames (the batch brackets are sent whatever happens).
Result WriteKeyColourTable(CommandChannel& ch, const KeyboardVariant& v, int profile,
                           std::span<const uint8_t, kKeyColourBlockSize> block);

// The raw frame that asks the keyboard to enter its boot mode (no reply).
Result SendBootMode(CommandChannel& ch);

// Device info (mode list cleared first), then the three Lighting records
// between Begin batch and End batch.
Result ReadLightingRecords(CommandChannel& ch, DeviceInfo& info, LightingRecords& records);

// Chunked block transfer: 56-byte chunks at base + offset.
Result ReadBlock(CommandChannel& ch, uint8_t command, uint32_t base, std::span<uint8_t> out);
Result WriteBlock(CommandChannel& ch, uint8_t command, uint32_t base,
                  std::span<const uint8_t> data);

}  // namespace quorlin::device
