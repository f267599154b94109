#pragma once
// Ends the run with a clear message when the UI thread stops turning its
// event loop, or when the program does not end in time after it was told to.
// A timer on the UI thread beats; a thread of its own watches the beat. The
// last actions are kept where a crash handler can print them too.

#include <QTimer>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace quorlin::exerciser {

// The last actions, printed when the run fails.
class ActionLog {
 public:
  void Add(const std::string& line);
  // Writes the last entries to standard error with write(2) only, so a
  // signal handler may call it.
  void Dump() const;
  // What is open on screen, as of the last turn.
  void SetScene(const std::string& scene);

 private:
  std::array<char, 400> scene_{};
  static constexpr std::size_t kEntries = 24;
  static constexpr std::size_t kWidth = 200;
  std::array<std::array<char, kWidth>, kEntries> lines_{};
  std::atomic<std::size_t> next_{0};
};

ActionLog& Log();

// Prints the log before a crash handler (the sanitizer's or the default
// one) takes over, and before a sanitizer report ends the process.
void InstallCrashReport();

class Watchdog {
 public:
  explicit Watchdog(std::chrono::milliseconds limit);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // The program was told to end: it must have ended within `limit`.
  void ExpectEndWithin(std::chrono::milliseconds limit, std::string what);
  void Ended();

 private:
  void Watch();

  std::chrono::milliseconds limit_;
  QTimer beat_timer_;
  std::atomic<std::uint64_t> beat_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::chrono::steady_clock::time_point end_deadline_{};
  bool end_expected_ = false;
  std::string end_what_;
  std::thread thread_;
};

}  // namespace quorlin::exerciser
