#include "device/frame.h"

#include <algorithm>

namespace quorlin::device {

uint16_t FrameChecksum(std::span<const uint8_t, kFrameSize> frame) {
  unsigned sum = 0;
  for (std::size_t i = frame_field::kCommand; i < kFrameSize; ++i) sum += frame[i];
  return static_cast<uint16_t>(sum);
}

void StoreChecksum(Frame& frame) {
  const uint16_t sum = FrameChecksum(frame);
  frame[frame_field::kChecksumLow] = static_cast<uint8_t>(sum & 0xFF);
  frame[frame_field::kChecksumHigh] = static_cast<uint8_t>(sum >> 8);
}

Frame BuildFrame(uint8_t command, uint8_t length, uint16_t address,
                 std::span<const uint8_t> data) {
  Frame frame{};
  frame[frame_field::kReportId] = kVendorReportId;
  frame[frame_field::kCommand] = command;
  frame[frame_field::kLength] = length;
  frame[frame_field::kAddressLow] = static_cast<uint8_t>(address & 0xFF);
  frame[frame_field::kAddressHigh] = static_cast<uint8_t>(address >> 8);
  const std::size_t n = std::min(data.size(), kFrameDataSize);
  std::copy_n(data.begin(), n, frame.begin() + frame_field::kData);
  StoreChecksum(frame);
  return frame;
}

Frame BuildBootModeFrame() {
  Frame frame{};
  frame[frame_field::kReportId] = kVendorReportId;
  frame[frame_field::kCommand] = cmd::kBootMode;
  frame[frame_field::kLength] = cmd::kBootMode;
  return frame;
}

FrameHeader ReadFrameHeader(std::span<const uint8_t, kFrameSize> frame) {
  return FrameHeader{frame[frame_field::kCommand], frame[frame_field::kLength],
                     static_cast<uint16_t>(frame[frame_field::kAddressLow] |
                                           (frame[frame_field::kAddressHigh] << 8))};
}

Result StatusToResult(uint8_t status) {
  if (status == 0xFF) return kRefusedFF;
  if (status == 0xFE) return kRefusedFE;
  return kOk;
}

}  // namespace quorlin::device
