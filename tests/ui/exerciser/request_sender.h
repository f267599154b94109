#pragma once
// Sends instance-channel requests (RELOAD, OPEN, KILL) as quorlinctl and a
// second start do: from a thread of its own, since the window answers on
// the UI thread.

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "platform/instance_channel.h"
#include "watchdog.h"

namespace quorlin::exerciser {

class RequestSender {
 public:
  RequestSender() : thread_([this] { Run(); }) {}
  ~RequestSender() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  RequestSender(const RequestSender&) = delete;
  RequestSender& operator=(const RequestSender&) = delete;

  void Send(const std::filesystem::path& socket, std::string request) {
    {
      std::lock_guard lock(mutex_);
      queue_.push_back({socket, std::move(request)});
    }
    wake_.notify_all();
  }
  // Requests not yet sent are dropped (the round they were meant for ended).
  void Drop() {
    std::lock_guard lock(mutex_);
    queue_.clear();
  }

 private:
  struct Request {
    std::filesystem::path socket;
    std::string word;
  };
  void Run() {
    std::unique_lock lock(mutex_);
    while (true) {
      wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
      if (stop_) return;
      Request r = std::move(queue_.front());
      queue_.pop_front();
      lock.unlock();
      const platform::RequestResult result =
          platform::SendInstanceRequestTo(r.socket, r.word, 2000);
      if (result != platform::RequestResult::kHandled && r.word != "RELOAD")
        Log().Add("  (" + r.word + " was not answered)");
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Request> queue_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace quorlin::exerciser
