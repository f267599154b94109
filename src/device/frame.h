#pragma once
// The 64-byte Command frame and Reply frame of the keyboard's vendor
// collection, and the pure functions that build and read them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/result.h"

namespace quorlin::device {

inline constexpr std::size_t kFrameSize = 64;
inline constexpr std::size_t kFrameHeaderSize = 8;
inline constexpr std::size_t kFrameDataSize = kFrameSize - kFrameHeaderSize;  // 56
inline constexpr uint8_t kVendorReportId = 4;
inline constexpr std::size_t kReplyStatusByte = 7;
static_assert(kFrameDataSize == 56);

using Frame = std::array<uint8_t, kFrameSize>;

// Command numbers the keyboard understands.
namespace cmd {
inline constexpr uint8_t kBeginBatch = 1;
inline constexpr uint8_t kEndBatch = 2;
inline constexpr uint8_t kReadDeviceInfo = 3;
inline constexpr uint8_t kWriteDeviceInfo = 4;
inline constexpr uint8_t kReadLighting = 5;
inline constexpr uint8_t kWriteLighting = 6;
inline constexpr uint8_t kReadKeyTable = 7;
inline constexpr uint8_t kWriteKeyTable = 8;
inline constexpr uint8_t kReadMacroArea = 9;
inline constexpr uint8_t kWriteMacroArea = 10;
inline constexpr uint8_t kReadDefaultKeyTable = 15;
inline constexpr uint8_t kReadKeyColours = 16;
inline constexpr uint8_t kWriteKeyColours = 17;
inline constexpr uint8_t kBootMode = 0xEE;
}  // namespace cmd

// Field offsets within a Command frame.
namespace frame_field {
inline constexpr std::size_t kReportId = 0;
inline constexpr std::size_t kChecksumLow = 1;
inline constexpr std::size_t kChecksumHigh = 2;
inline constexpr std::size_t kCommand = 3;
inline constexpr std::size_t kLength = 4;
inline constexpr std::size_t kAddressLow = 5;
inline constexpr std::size_t kAddressHigh = 6;
inline constexpr std::size_t kReserved = 7;
inline constexpr std::size_t kData = 8;
}  // namespace frame_field

// Sum of bytes 3..63 as unsigned bytes; 61 * 255 fits in 16 bits.
uint16_t FrameChecksum(std::span<const uint8_t, kFrameSize> frame);
void StoreChecksum(Frame& frame);

// A frame of zeros with report ID, command, length and address set, `data`
// (at most 56 bytes) copied from byte 8, and the checksum computed last.
Frame BuildFrame(uint8_t command, uint8_t length, uint16_t address,
                 std::span<const uint8_t> data = {});

// The Boot-mode frame: 04 00 00 EE EE 00 00 00, no checksum.
Frame BuildBootModeFrame();

struct FrameHeader {
  uint8_t command = 0;
  uint8_t length = 0;
  uint16_t address = 0;
};
FrameHeader ReadFrameHeader(std::span<const uint8_t, kFrameSize> frame);

// The reply's Status byte mapped to a Result: 0xFF -> -102, 0xFE -> -103,
// anything else success.
Result StatusToResult(uint8_t status);

}  // namespace quorlin::device
