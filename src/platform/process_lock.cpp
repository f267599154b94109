#include "platform/process_lock.h"

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/runtime_folder.h"
#include "platform/user_folders.h"

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace quorlin::platform {
namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
using NativeHandle = HANDLE;
const NativeHandle kNoHandle = INVALID_HANDLE_VALUE;

std::string LastErrorText() {
  return "system error " + std::to_string(GetLastError());
}

NativeHandle OpenLockFile(const fs::path& path, LockFailure& failure) {
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) failure = {LockFailure::Kind::kCannotOpen, path, LastErrorText()};
  return h;
}

// 1 taken, 0 busy (only when not blocking), -1 failed.
int LockHandle(NativeHandle h, bool block) {
  OVERLAPPED overlapped{};
  const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (block ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
  if (LockFileEx(h, flags, 0, 1, 0, &overlapped)) return 1;
  return GetLastError() == ERROR_LOCK_VIOLATION ? 0 : -1;
}

void UnlockAndClose(NativeHandle h) {
  OVERLAPPED overlapped{};
  UnlockFileEx(h, 0, 1, 0, &overlapped);
  CloseHandle(h);
}

void CloseOnly(NativeHandle h) {
  CloseHandle(h);
}
#else
using NativeHandle = int;
constexpr NativeHandle kNoHandle = -1;

std::string LastErrorText() {
  return std::strerror(errno);
}

NativeHandle OpenLockFile(const fs::path& path, LockFailure& failure) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) failure = {LockFailure::Kind::kCannotOpen, path, LastErrorText()};
  return fd;
}

int LockHandle(NativeHandle fd, bool block) {
  for (;;) {
    if (::flock(fd, LOCK_EX | (block ? 0 : LOCK_NB)) == 0) return 1;
    if (errno == EINTR) continue;
    return errno == EWOULDBLOCK ? 0 : -1;
  }
}

void UnlockAndClose(NativeHandle fd) {
  ::flock(fd, LOCK_UN);
  ::close(fd);
}

void CloseOnly(NativeHandle fd) {
  ::close(fd);
}
#endif

using Clock = std::chrono::steady_clock;

// Takes the system lock on `path`; kNoHandle (with `failure`) when it cannot
// be opened, fails, or is still held by another process at `deadline`.
NativeHandle TakeSystemLock(const fs::path& path, std::optional<Clock::time_point> deadline,
                            LockFailure& failure) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec) {
    // The open would only say the folder is missing.
    failure = {LockFailure::Kind::kCannotOpen, path, ec.message()};
    return kNoHandle;
  }
  const NativeHandle h = OpenLockFile(path, failure);
  if (h == kNoHandle) return kNoHandle;
  if (!deadline) {
    if (LockHandle(h, true) == 1) return h;
  } else {
    // The system offers no timed wait on these locks, so a bounded wait polls.
    for (;;) {
      const int r = LockHandle(h, false);
      if (r == 1) return h;
      if (r < 0) break;
      if (Clock::now() >= *deadline) {
        failure = {LockFailure::Kind::kHeldElsewhere, path, {}};
        CloseOnly(h);
        return kNoHandle;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  failure = {LockFailure::Kind::kCannotLock, path, LastErrorText()};
  CloseOnly(h);
  return kNoHandle;
}

// FNV-1a: stable across builds and processes, unlike std::hash, so the GUI
// and the CLI name the same lock file for the same key.
std::string HashName(std::string_view text) {
  uint64_t h = 14695981039346656037ull;
  for (const char c : text) {
    h ^= static_cast<uint8_t>(c);
    h *= 1099511628211ull;
  }
  char buffer[17];
  std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(h));
  return buffer;
}

fs::path SamePathForEveryName(const fs::path& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  if (ec) absolute = path;
  fs::path canonical = fs::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : canonical;
}

}  // namespace

std::string DescribeLockFailure(const LockFailure& failure) {
  const std::string file = failure.file.string();
  switch (failure.kind) {
    case LockFailure::Kind::kNone:
      return {};
    case LockFailure::Kind::kHeldHere:
      return "another part of this program holds the lock " + file;
    case LockFailure::Kind::kHeldElsewhere:
      return "another program holds the lock " + file;
    case LockFailure::Kind::kCannotOpen:
      return "cannot create the lock file " + file + " (" + failure.system_reason + ")";
    case LockFailure::Kind::kCannotLock:
      return "cannot lock " + file + " (" + failure.system_reason + ")";
  }
  return {};
}

// One per lock file per process. flock-style locks belong to an open file,
// so two opens in one process would wait on each other: the process takes
// the system lock once and hands it between its threads here.
struct FileLock::Entry {
  fs::path path;
  std::mutex mutex;
  std::condition_variable released;
  std::thread::id owner;
  int depth = 0;
  NativeHandle handle = kNoHandle;
};

namespace {

std::shared_ptr<FileLock::Entry> EntryFor(const fs::path& path) {
  static std::mutex registry_mutex;
  static std::map<fs::path, std::shared_ptr<FileLock::Entry>> registry;
  const std::lock_guard lock(registry_mutex);
  auto& entry = registry[path];
  if (!entry) {
    entry = std::make_shared<FileLock::Entry>();
    entry->path = path;
  }
  return entry;
}

}  // namespace

FileLock::FileLock(const fs::path& lock_file, LockWait wait) : entry_(EntryFor(lock_file)) {
  std::optional<Clock::time_point> deadline;
  if (wait) deadline = Clock::now() + *wait;
  const auto me = std::this_thread::get_id();
  std::unique_lock lock(entry_->mutex);
  if (entry_->depth > 0 && entry_->owner == me) {
    ++entry_->depth;
    held_ = true;
    return;
  }
  const auto free = [this] { return entry_->depth == 0; };
  if (!deadline) {
    entry_->released.wait(lock, free);
  } else if (!entry_->released.wait_until(lock, *deadline, free)) {
    failure_ = {LockFailure::Kind::kHeldHere, lock_file, {}};
    error_ = DescribeLockFailure(failure_);
    return;
  }
  // Claimed before the system lock is taken, so this process's other
  // threads wait here instead of opening the file a second time.
  entry_->owner = me;
  entry_->depth = 1;
  lock.unlock();
  const NativeHandle h = TakeSystemLock(lock_file, deadline, failure_);
  lock.lock();
  if (h == kNoHandle) {
    error_ = DescribeLockFailure(failure_);
    entry_->depth = 0;
    entry_->owner = {};
    entry_->released.notify_one();
    return;
  }
  entry_->handle = h;
  held_ = true;
}

FileLock::~FileLock() {
  if (!held_) return;
  const std::lock_guard lock(entry_->mutex);
  if (--entry_->depth > 0) return;
  UnlockAndClose(entry_->handle);
  entry_->handle = kNoHandle;
  entry_->owner = {};
  entry_->released.notify_one();
}

fs::path LockFolder() {
  // Commands that only read must not need a writable config folder.
  const RuntimeFolder runtime = ProgramRuntimeFolder();
  if (!runtime.path.empty()) return runtime.path / "locks";
  return CurrentUserFolders().config / "locks";
}

std::string KeyboardLockKey(std::string_view command_device_path) {
  return "device:" + std::string(command_device_path);
}

std::string SimulatedKeyboardLockKey(const fs::path& state_file) {
  return "simulated:" + SamePathForEveryName(state_file).string();
}

fs::path KeyboardLockFile(std::string_view key) {
  return LockFolder() / ("keyboard-" + HashName(key) + ".lock");
}

fs::path DataFolderLockFile(const fs::path& data_folder) {
  return LockFolder() / ("data-" + HashName(SamePathForEveryName(data_folder).string()) + ".lock");
}

KeyboardLock::KeyboardLock(std::string_view key, LockWait wait)
    : lock_(KeyboardLockFile(key), wait) {}

DataFolderLock::DataFolderLock(const fs::path& data_folder, LockWait wait)
    : lock_(DataFolderLockFile(data_folder), wait) {}

}  // namespace quorlin::platform
