#pragma once
// What a command sent to the keyboard, counted from the channel's frame
// trace: the frames written and the worst outcome among their
// transactions. The panel and the flows keep going whatever the keyboard
// answers, so this is how the command learns whether its change arrived.

#include <array>
#include <cstdint>
#include <span>

#include "device/frame.h"
#include "device/result.h"

namespace quorlin::cli {

class FrameTally {
 public:
  // Called by the trace sink for every report written ('>') or read ('<').
  void Note(char direction, std::span<const uint8_t> report);
  // Starts judging afresh (after the reads that load the program's state):
  // their outcome no longer counts, but their frames stay in the count, so
  // the count a command prints is every frame it sent.
  void Reset() {
    const int sent = sent_;
    *this = FrameTally();
    sent_ = sent;
  }

  int FramesSent() const { return sent_; }
  // kOk, or the first failure: kAbsent for a transaction that got no reply
  // (or whose write failed), kRefusedFF/FE for a refusal.
  device::Result Outcome() const;

 private:
  void Fail(device::Result r) {
    if (result_ == device::kOk) result_ = r;
  }

  int sent_ = 0;
  int unanswered_sends_ = 0;  // sends of the frame now in flight without a reply
  device::Frame last_{};
  device::Result result_ = device::kOk;
};

}  // namespace quorlin::cli
