#pragma once
// Device work never runs on the user-interface thread: a window hands each
// piece of work that sends frames (and changes the program state it goes
// with) to a DeviceJobs runner, and redraws from the result when `done`
// runs back on the user-interface thread. While a job runs the window reads
// the program state only from what earlier jobs returned.

#include <functional>

namespace quorlin::ui {

class DeviceJobs {
 public:
  virtual ~DeviceJobs() = default;
  // Runs `work` on the device worker, then `done(result)` on the UI thread.
  // Jobs run one at a time in the order they were posted.
  virtual void Run(std::function<int()> work, std::function<void(int)> done = {}) = 0;
  // True from the first Run until the last posted job's work is done and
  // its `done` starts (a `done` may stay in a modal dialog for long).
  virtual bool Busy() const = 0;
};

// Runs every job at once on the caller's thread: for tests and for windows
// that are driven without an event loop.
class InlineDeviceJobs final : public DeviceJobs {
 public:
  void Run(std::function<int()> work, std::function<void(int)> done = {}) override {
    const int result = work ? work() : 0;
    if (done) done(result);
  }
  bool Busy() const override { return false; }
};

}  // namespace quorlin::ui
