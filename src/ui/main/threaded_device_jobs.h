#pragma once
// The device worker: one thread that runs the posted jobs in order, each
// job's `done` then running on the thread of `context` (the window's). Run
// may be called from any thread. Destroying it lets the job in progress
// finish, drops those not started and joins.

#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "ui/main/device_jobs.h"

namespace quorlin::ui {

class ThreadedDeviceJobs final : public DeviceJobs {
 public:
  // Runs each job's work on the worker inside whatever must surround it
  // (the per-user locks, keeping the simulated keyboard's file) and returns
  // its result; a guard that cannot run the work returns 0 without it.
  using JobGuard = std::function<int(const std::function<int()>& work)>;

  explicit ThreadedDeviceJobs(QObject* context, JobGuard guard = {});
  ~ThreadedDeviceJobs() override;
  ThreadedDeviceJobs(const ThreadedDeviceJobs&) = delete;
  ThreadedDeviceJobs& operator=(const ThreadedDeviceJobs&) = delete;

  void Run(std::function<int()> work, std::function<void(int)> done = {}) override;
  bool Busy() const override;
  // True on the worker thread, where a job's calls into the window must be
  // carried over to the window's thread.
  bool OnWorker() const { return std::this_thread::get_id() == worker_id_; }

 private:
  struct Job {
    std::function<int()> work;
    std::function<void(int)> done;
  };
  void Loop();

  QPointer<QObject> context_;
  JobGuard guard_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> queue_;
  int unfinished_ = 0;  // posted jobs whose `done` has not started yet
  bool stopping_ = false;
  std::thread worker_;
  std::thread::id worker_id_;
};

}  // namespace quorlin::ui
