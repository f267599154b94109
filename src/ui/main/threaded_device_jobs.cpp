#include "ui/main/threaded_device_jobs.h"

#include <QMetaObject>

namespace quorlin::ui {

ThreadedDeviceJobs::ThreadedDeviceJobs(QObject* context, JobGuard guard)
    : context_(context), guard_(std::move(guard)) {
  worker_ = std::thread([this] { Loop(); });
  worker_id_ = worker_.get_id();
}

ThreadedDeviceJobs::~ThreadedDeviceJobs() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  wake_.notify_all();
  worker_.join();
}

void ThreadedDeviceJobs::Run(std::function<int()> work, std::function<void(int)> done) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    queue_.push_back({std::move(work), std::move(done)});
    ++unfinished_;
  }
  wake_.notify_one();
}

bool ThreadedDeviceJobs::Busy() const {
  std::lock_guard lock(mutex_);
  return unfinished_ > 0;
}

void ThreadedDeviceJobs::Loop() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    int result = 0;
    if (job.work) result = guard_ ? guard_(job.work) : job.work();
    // The job counts as finished before its `done` runs: a `done` that
    // opens a menu or a modal dialog (the profile menu, the profile manager
    // behind it, a message) must not keep Exit waiting or the preview still
    // for as long as it stays open. Nothing of `this` is touched after it.
    auto finish = [this, done = std::move(job.done), result] {
      {
        std::lock_guard lock(mutex_);
        --unfinished_;
      }
      if (done) done(result);
    };
    if (context_) {
      QMetaObject::invokeMethod(context_.data(), std::move(finish), Qt::QueuedConnection);
    } else {
      std::lock_guard lock(mutex_);
      --unfinished_;
    }
  }
}

}  // namespace quorlin::ui
