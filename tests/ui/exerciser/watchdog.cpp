#include "watchdog.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#include <sanitizer/common_interface_defs.h>
#define QUORLIN_HAVE_SANITIZER 1
#endif

namespace quorlin::exerciser {

namespace {

void WriteAll(const char* text, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(STDERR_FILENO, text, size);
    if (n <= 0) return;
    text += n;
    size -= static_cast<std::size_t>(n);
  }
}

void WriteText(const char* text) {
  WriteAll(text, std::strlen(text));
}

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction previous[std::size(kSignals)];

void OnFatalSignal(int sig, siginfo_t* info, void* context) {
  WriteText("\nexerciser: FAILED: fatal signal ");
  WriteText(sig == SIGSEGV ? "SIGSEGV" : sig == SIGABRT ? "SIGABRT" : "(other)");
  WriteText(" after these actions (last at the bottom):\n");
  Log().Dump();
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (kSignals[i] != sig) continue;
    // The handler that was there before (a sanitizer's prints its report).
    sigaction(sig, &previous[i], nullptr);
    if ((previous[i].sa_flags & SA_SIGINFO) != 0 && previous[i].sa_sigaction != nullptr) {
      previous[i].sa_sigaction(sig, info, context);
      return;
    }
  }
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

#ifdef QUORLIN_HAVE_SANITIZER
void OnSanitizerDeath() {
  WriteText("\nexerciser: FAILED: sanitizer report; the last actions were:\n");
  Log().Dump();
}
#endif

}  // namespace

void ActionLog::Add(const std::string& line) {
  const std::size_t slot = next_.fetch_add(1) % kEntries;
  auto& out = lines_[slot];
  const std::size_t n = std::min(line.size(), kWidth - 1);
  std::memcpy(out.data(), line.data(), n);
  out[n] = '\0';
}

void ActionLog::SetScene(const std::string& scene) {
  const std::size_t n = std::min(scene.size(), scene_.size() - 1);
  std::memcpy(scene_.data(), scene.data(), n);
  scene_[n] = '\0';
}

void ActionLog::Dump() const {
  const std::size_t end = next_.load();
  const std::size_t begin = end > kEntries ? end - kEntries : 0;
  for (std::size_t i = begin; i < end; ++i) {
    WriteText("  ");
    WriteText(lines_[i % kEntries].data());
    WriteText("\n");
  }
  WriteText("  on screen: ");
  WriteText(scene_.data());
  WriteText("\n");
}

ActionLog& Log() {
  static ActionLog log;
  return log;
}

void InstallCrashReport() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    struct sigaction action {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    sigaction(kSignals[i], &action, &previous[i]);
  }
#ifdef QUORLIN_HAVE_SANITIZER
  __sanitizer_set_death_callback(OnSanitizerDeath);
#endif
}

Watchdog::Watchdog(std::chrono::milliseconds limit) : limit_(limit) {
  // Beats only while the UI thread turns an event loop (any of the nested
  // ones a modal dialog or menu runs).
  QObject::connect(&beat_timer_, &QTimer::timeout, [this] { beat_.fetch_add(1); });
  beat_timer_.start(50);
  thread_ = std::thread([this] { Watch(); });
}

Watchdog::~Watchdog() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void Watchdog::ExpectEndWithin(std::chrono::milliseconds limit, std::string what) {
  std::lock_guard lock(mutex_);
  if (end_expected_) return;
  end_expected_ = true;
  end_deadline_ = std::chrono::steady_clock::now() + limit;
  end_what_ = std::move(what);
}

void Watchdog::Ended() {
  std::lock_guard lock(mutex_);
  end_expected_ = false;
}

void Watchdog::Watch() {
  using Clock = std::chrono::steady_clock;
  std::uint64_t seen = beat_.load();
  Clock::time_point last_change = Clock::now();
  std::unique_lock lock(mutex_);
  while (!stop_) {
    wake_.wait_for(lock, std::chrono::milliseconds(200));
    if (stop_) break;
    const Clock::time_point now = Clock::now();
    const std::uint64_t beat = beat_.load();
    if (beat != seen) {
      seen = beat;
      last_change = now;
    }
    const char* failure = nullptr;
    std::string detail;
    if (now - last_change > limit_) {
      failure = "HANG";
      detail = "the UI thread turned no event loop for " +
               std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limit_).count()) +
               " s";
    } else if (end_expected_ && now > end_deadline_) {
      failure = "HANG";
      detail = "the program did not end after " + end_what_;
    }
    if (failure == nullptr) continue;
    std::fprintf(stderr, "\nexerciser: FAILED: %s: %s; the last actions were:\n", failure,
                 detail.c_str());
    std::fflush(stderr);
    Log().Dump();
    // No core dump and no sanitizer report is wanted for this: the message
    // above says it all.
    std::_Exit(3);
  }
}

}  // namespace quorlin::exerciser
