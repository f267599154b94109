#include "device/command_channel.h"

#include <algorithm>
#include <array>

namespace quorlin::device {

std::string FormatTraceLine(char direction, std::span<const uint8_t> report) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string line;
  line.reserve(2 + report.size() * 3);
  line += direction;
  line += ' ';
  for (std::size_t i = 0; i < report.size(); ++i) {
    if (i) line += ' ';
    line += kHex[report[i] >> 4];
    line += kHex[report[i] & 0x0F];
  }
  return line;
}

void CommandChannel::SetTraceSink(FrameTraceSink sink) {
  std::lock_guard lock(trace_mutex_);
  trace_ = std::move(sink);
}

void CommandChannel::Trace(char direction, std::span<const uint8_t> report) {
  std::lock_guard lock(trace_mutex_);
  if (trace_) trace_(direction, report);
}

namespace {

Frame PadFrame(std::span<const uint8_t> frame) {
  Frame out{};
  std::copy_n(frame.begin(), std::min(frame.size(), out.size()), out.begin());
  return out;
}

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<long long>(left.count(), 0));
}

}  // namespace

// Reads until a 64-byte report with report ID 4 arrives or the read time
// runs out. Other reports of the same node (the consumer collection's
// events, when both collections share it) are passed over.
bool CommandChannel::ReadReply(std::span<uint8_t> reply, std::size_t* bytes_read) {
  std::array<uint8_t, kFrameSize> buffer{};
  const auto deadline = Clock::now() + std::chrono::milliseconds(kReadTimeoutMs);
  for (;;) {
    std::size_t n = 0;
    const int left = RemainingMs(deadline);
    if (!device_.ReadReport(buffer, &n, left)) return false;
    Trace('<', std::span<const uint8_t>(buffer.data(), n));
    if (n == kFrameSize && buffer[0] == kVendorReportId) {
      const std::size_t copy = std::min(reply.size(), n);
      std::copy_n(buffer.begin(), copy, reply.begin());
      if (bytes_read) *bytes_read = copy;
      return true;
    }
    if (left == 0) return false;
  }
}

// Drops reports that arrived after an earlier transaction gave up waiting,
// so a late reply is never taken as the answer to the next frame. A read
// with time-out 0 answers "nothing" only once the node holds nothing for
// this handle, even when the node's other collections had reports queued
// in front of the late reply.
void CommandChannel::DrainStaleReports() {
  std::array<uint8_t, kFrameSize> buffer{};
  for (int i = 0; i < kMaxStaleReports; ++i) {
    std::size_t n = 0;
    if (!device_.ReadReport(buffer, &n, 0)) return;
    Trace('<', std::span<const uint8_t>(buffer.data(), n));
  }
}

Result CommandChannel::Transact(std::span<const uint8_t> frame, std::span<uint8_t> reply,
                                std::size_t* bytes_read) {
  if (bytes_read) *bytes_read = 0;
  if (!Present()) return kAbsent;
  const Frame out = PadFrame(frame);
  std::lock_guard lock(device_lock_);
  for (int send = 0; send < kSendsPerTransaction; ++send) {
    DrainStaleReports();
    Trace('>', out);
    if (!device_.WriteReport(out, nullptr, kWriteTimeoutMs)) return kWriteFailed;
    if (ReadReply(reply, bytes_read)) return kOk;
  }
  return kAbsent;
}

Result CommandChannel::WriteRaw(std::span<const uint8_t> frame) {
  if (!Present()) return kAbsent;
  const Frame out = PadFrame(frame);
  std::lock_guard lock(device_lock_);
  Trace('>', out);
  return device_.WriteReport(out, nullptr, kWriteTimeoutMs) ? kOk : kAbsent;
}

}  // namespace quorlin::device
