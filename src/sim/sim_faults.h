#pragma once
// Misbehaviour the simulated keyboard can be told to show.

#include <chrono>
#include <cstdint>
#include <optional>

namespace quorlin::sim {

struct SimFaults {
  int silent_frames = 0;   // the next N Command frames get no reply and have no effect
  int refused_frames = 0;  // the next N Command frames get `refusal_status` and no effect
  uint8_t refusal_status = 0xFF;
  int failed_writes = 0;  // the next N output reports fail before the keyboard sees them
  std::chrono::milliseconds reply_delay{0};
  // Each input and each output report takes at least this long; 1 ms is
  // what a full-speed USB interrupt endpoint gives.
  std::chrono::microseconds report_interval{0};
  // Frames still taken before the keyboard drops off the bus: the write of
  // the frame after them fails and unplugs it.
  std::optional<int> unplug_after_frames;
  bool open_denied = false;  // Open fails with kPermissionDenied
  bool enumeration_fails = false;
};

}  // namespace quorlin::sim
