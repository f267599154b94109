#include "cli/frame_tally.h"

#include <algorithm>

#include "device/command_channel.h"

namespace quorlin::cli {

void FrameTally::Note(char direction, std::span<const uint8_t> report) {
  if (direction == '>') {
    device::Frame frame{};
    std::copy_n(report.begin(), std::min(report.size(), frame.size()), frame.begin());
    // The channel sends a frame again only while it waits for its reply; a
    // different frame while one is unanswered means that one was given up.
    const bool retry =
        unanswered_sends_ > 0 && frame == last_ && unanswered_sends_ < device::kSendsPerTransaction;
    if (unanswered_sends_ > 0 && !retry) Fail(device::kAbsent);
    unanswered_sends_ = retry ? unanswered_sends_ + 1 : 1;
    last_ = frame;
    ++sent_;
    return;
  }
  if (report.size() != device::kFrameSize || report[0] != device::kVendorReportId) return;
  if (unanswered_sends_ == 0) return;  // a stale report drained before a send
  unanswered_sends_ = 0;
  const device::Result status = device::StatusToResult(report[device::kReplyStatusByte]);
  if (status != device::kOk) Fail(status);
}

device::Result FrameTally::Outcome() const {
  if (result_ == device::kOk && unanswered_sends_ > 0) return device::kAbsent;
  return result_;
}

}  // namespace quorlin::cli
