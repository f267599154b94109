#include "sim/reply_frame.h"

#include <algorithm>

namespace quorlin::sim {

namespace ff = device::frame_field;

Request ParseRequest(FrameView frame) {
  return {frame[ff::kCommand], frame[ff::kLength],
          static_cast<uint16_t>(frame[ff::kAddressLow] | (frame[ff::kAddressHigh] << 8))};
}

uint16_t FrameSum(FrameView frame) {
  unsigned sum = 0;
  for (std::size_t i = ff::kCommand; i < frame.size(); ++i) sum += frame[i];
  return static_cast<uint16_t>(sum);
}

bool ChecksumMatches(FrameView frame) {
  const auto stored =
      static_cast<uint16_t>(frame[ff::kChecksumLow] | (frame[ff::kChecksumHigh] << 8));
  return stored == FrameSum(frame);
}

device::Frame MakeReply(const Request& request, uint8_t status, std::span<const uint8_t> data) {
  device::Frame reply{};
  const std::size_t count = std::min(data.size(), device::kFrameDataSize);
  reply[ff::kReportId] = device::kVendorReportId;
  reply[ff::kCommand] = request.command;
  reply[ff::kLength] = data.empty() ? request.length : static_cast<uint8_t>(count);
  reply[ff::kAddressLow] = static_cast<uint8_t>(request.address);
  reply[ff::kAddressHigh] = static_cast<uint8_t>(request.address >> 8);
  reply[device::kReplyStatusByte] = status;
  std::copy_n(data.begin(), count, reply.begin() + ff::kData);
  const uint16_t sum = FrameSum(reply);
  reply[ff::kChecksumLow] = static_cast<uint8_t>(sum);
  reply[ff::kChecksumHigh] = static_cast<uint8_t>(sum >> 8);
  return reply;
}

}  // namespace quorlin::sim
