#pragma once
// Builds Command frames the way the host does, independently of the
// device layer, so these tests check the keyboard model on its own.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "device/frame.h"
#include "sim/reply_frame.h"

namespace quorlin::sim::testing {

inline device::Frame Command(uint8_t command, uint8_t length, uint16_t address,
                             std::span<const uint8_t> data = {}) {
  device::Frame frame{};
  frame[0] = device::kVendorReportId;
  frame[3] = command;
  frame[4] = length;
  frame[5] = static_cast<uint8_t>(address);
  frame[6] = static_cast<uint8_t>(address >> 8);
  std::copy_n(data.begin(), std::min(data.size(), device::kFrameDataSize), frame.begin() + 8);
  const uint16_t sum = FrameSum(frame);
  frame[1] = static_cast<uint8_t>(sum);
  frame[2] = static_cast<uint8_t>(sum >> 8);
  return frame;
}

inline uint8_t Status(const device::Frame& reply) {
  return reply[device::kReplyStatusByte];
}

inline std::vector<uint8_t> ReplyData(const device::Frame& reply, std::size_t count) {
  return {reply.begin() + 8, reply.begin() + 8 + static_cast<std::ptrdiff_t>(count)};
}

}  // namespace quorlin::sim::testing
