#pragma once
// The keyboard's side of the frame format: checking a Command frame and
// building the Reply frame that answers it.

#include <cstdint>
#include <span>

#include "device/frame.h"

namespace quorlin::sim {

// Status byte values the firmware answers with.
namespace status {
inline constexpr uint8_t kOk = 0x00;
inline constexpr uint8_t kRefused = 0xFF;      // bad address, length or command
inline constexpr uint8_t kBadChecksum = 0xFE;  // the frame did not add up
}  // namespace status

using FrameView = std::span<const uint8_t, device::kFrameSize>;

struct Request {
  uint8_t command = 0;
  uint8_t length = 0;
  uint16_t address = 0;
};

Request ParseRequest(FrameView frame);

// Sum of bytes 3..63, the way both sides compute a frame's checksum.
uint16_t FrameSum(FrameView frame);
bool ChecksumMatches(FrameView frame);

// A Reply frame: report ID 4, the sum of bytes 3..63 in bytes 1 and 2, the
// request's command and address echoed in bytes 3, 5 and 6, byte 4 the
// number of data bytes carried (the request's length when none), the Status
// in byte 7 and `data` from byte 8 (cut at 56 bytes).
device::Frame MakeReply(const Request& request, uint8_t status, std::span<const uint8_t> data = {});

}  // namespace quorlin::sim
