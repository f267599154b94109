#pragma once
// A stop flag with an interruptible pause, shared by the device threads.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quorlin::device {

class StopFlag {
 public:
  void Request() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    cv_.notify_all();
  }
  void Reset() {
    std::lock_guard lock(mutex_);
    stop_ = false;
  }
  bool Requested() const {
    std::lock_guard lock(mutex_);
    return stop_;
  }
  // Sleeps for `ms` unless a stop is requested; true when stopping.
  bool PauseFor(int ms) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_; });
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  bool stop_ = false;
};

}  // namespace quorlin::device
