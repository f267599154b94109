#pragma once
// The device worker: one thread that runs the posted jobs in order, each
// job's `done` then running on the thread of `context` (the window's). Run
// may be called from any thread. Destroying it lets the job in progress
// finish, drops those not started and joins.

#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "ui/main/device_jobs.h"

namespace quorlin::ui {

class ThreadedDeviceJobs final : public DeviceJobs {
 public:
  // Taken on the worker around each job: fills `held` with whatever must
  // stay alive while the job runs (the per-user locks), or says false, and
  // the job is skipped with the result 0.
  using JobGuard = std::function<bool(std::shared_ptr<void>& held)>;

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
  int unfinished_ = 0;  // posted jobs whose `done` has not run yet
  bool stopping_ = false;
  std::thread worker_;
  std::thread::id worker_id_;
};

}  // namespace quorlin::ui
