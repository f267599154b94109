#pragma once
// Command transactions on the keyboard's vendor collection: one frame out,
// one reply back, under one lock so that replies stay paired with their
// frames whichever thread sends them.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <span>
#include <string>

#include "device/frame.h"
#include "device/hid_device.h"
#include "device/result.h"

namespace quorlin::device {

inline constexpr int kWriteTimeoutMs = 1000;
inline constexpr int kReadTimeoutMs = 300;
inline constexpr int kSendsPerTransaction = 4;

// Receives every report written ('>') and read ('<').
using FrameTraceSink = std::function<void(char direction, std::span<const uint8_t> report)>;

// One trace line: "> " or "< " and the bytes as upper-case hex pairs.
std::string FormatTraceLine(char direction, std::span<const uint8_t> report);

class CommandChannel {
 public:
  explicit CommandChannel(HidDevice& device) : device_(device) {}

  // Sends the frame (padded or cut to 64 bytes) and takes its reply: a
  // 64-byte input report with report ID 4. Up to four sends; 1, 0 or -1.
  Result Transact(std::span<const uint8_t> frame, std::span<uint8_t> reply,
                  std::size_t* bytes_read = nullptr);
  // Sends without waiting for a reply: 1 written, 0 not.
  Result WriteRaw(std::span<const uint8_t> frame);

  bool Present() const { return present_.load(std::memory_order_acquire); }
  void SetPresent(bool present) { present_.store(present, std::memory_order_release); }

  void SetTraceSink(FrameTraceSink sink);
  // The pause before `End batch` goes out; tests and benchmarks may shorten it.
  void SetBatchPause(std::chrono::microseconds pause) { batch_pause_ = pause; }
  std::chrono::microseconds BatchPause() const { return batch_pause_; }

  HidDevice& Device() { return device_; }
  // The device lock: held by every transaction and by whoever reopens the
  // command device, so an open never cuts a transaction in half.
  std::mutex& DeviceLock() { return device_lock_; }

 private:
  static constexpr int kMaxStaleReports = 64;
  void DrainStaleReports();
  bool ReadReply(std::span<uint8_t> reply, std::size_t* bytes_read);
  void Trace(char direction, std::span<const uint8_t> report);

  HidDevice& device_;
  std::mutex device_lock_;
  std::atomic<bool> present_{false};
  std::mutex trace_mutex_;
  FrameTraceSink trace_;
  std::chrono::microseconds batch_pause_{10000};
};

}  // namespace quorlin::device
