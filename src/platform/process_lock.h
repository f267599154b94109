#pragma once
// Locks that serialise the read-modify-write flows of every program of this
// user (the GUI, any number of quorlinctl runs) on one keyboard and on the
// data folder, so two of them never read the same state, change it
// differently and write it back over each other.
//
// How to use them (the GUI and the CLI take the same locks):
//   - Around a flow that reads something from the keyboard and writes a
//     change back (Apply, a lighting change, a profile switch, restore, an
//     export that rewrites the host copy), hold a KeyboardLock named by
//     KeyboardLockKey for the real keyboard's command device path, or by
//     SimulatedKeyboardLockKey for a simulated keyboard kept in a file.
//   - Around reading a file of the data folder, changing it and writing it
//     back (the user lighting files, the host copies, the view settings),
//     hold a DataFolderLock on the data folder.
//   - Take a KeyboardLock before a DataFolderLock, never the other way
//     round, so two programs cannot wait on each other.
//   - Hold them for one flow, not for the life of a window: another program
//     waits while they are held.
//   - In the GUI take them on the device worker, around a job (see
//     flows/flow_locks.h). The user-interface thread must not wait on them:
//     the worker may hold them while it waits for the window to answer a
//     prompt. WriteProfileString and the user lighting file edits take the
//     folder lock of the file they rewrite themselves, so run those on the
//     worker too when it may hold the data folder.
//
// The locks are advisory (they stop only programs that take them), per user
// (the lock files live in the user's private runtime folder), and released by the
// system when a process ends, so a crash never leaves a keyboard locked.
// Within one process the same lock may be taken again by the thread that
// holds it; another thread of that process waits like another process would.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin::platform {

// How long a lock waits for its holder: nullopt waits for as long as it takes.
using LockWait = std::optional<std::chrono::milliseconds>;

// Why a lock was not taken, for callers that say it in their own language.
struct LockFailure {
  enum class Kind {
    kNone,
    kHeldHere,       // another thread of this program held it until the wait ended
    kHeldElsewhere,  // another program held it until the wait ended
    kCannotOpen,     // the lock file could not be opened or created
    kCannotLock,     // the system refused the lock
  };
  Kind kind = Kind::kNone;
  std::filesystem::path file;
  std::string system_reason;  // the system's own text (kCannotOpen, kCannotLock)
};

// The failure in English words (logs, and callers without language files).
std::string DescribeLockFailure(const LockFailure& failure);

// An exclusive lock on `lock_file` (created when missing, never removed),
// taken by the constructor and released by the destructor.
class FileLock {
 public:
  FileLock(const std::filesystem::path& lock_file, LockWait wait);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // False when the lock could not be taken in time or the lock file could
  // not be created; Error() says why. Nothing is held then.
  bool Held() const { return held_; }
  const std::string& Error() const { return error_; }
  const LockFailure& Failure() const { return failure_; }

  struct Entry;  // the process-wide state of one lock file

 private:
  std::shared_ptr<Entry> entry_;
  bool held_ = false;
  LockFailure failure_;
  std::string error_;
};

// The folder of the lock files: "locks" in the program's private runtime
// folder (the config folder when there is none).
std::filesystem::path LockFolder();

// The key of a real keyboard: the path of its command device.
std::string KeyboardLockKey(std::string_view command_device_path);
// The key of a simulated keyboard whose memory is kept in `state_file`; the
// same file named another way (relative, through a link) gives the same key.
std::string SimulatedKeyboardLockKey(const std::filesystem::path& state_file);

// Serialises the read-modify-write flows on one keyboard.
class KeyboardLock {
 public:
  explicit KeyboardLock(std::string_view key, LockWait wait = std::nullopt);
  bool Held() const { return lock_.Held(); }
  const std::string& Error() const { return lock_.Error(); }
  const LockFailure& Failure() const { return lock_.Failure(); }

 private:
  FileLock lock_;
};

// Serialises the read-modify-write of files in one data folder.
class DataFolderLock {
 public:
  explicit DataFolderLock(const std::filesystem::path& data_folder, LockWait wait = std::nullopt);
  bool Held() const { return lock_.Held(); }
  const std::string& Error() const { return lock_.Error(); }
  const LockFailure& Failure() const { return lock_.Failure(); }

 private:
  FileLock lock_;
};

// The lock files behind the two locks (exposed for tests and diagnostics).
std::filesystem::path KeyboardLockFile(std::string_view key);
std::filesystem::path DataFolderLockFile(const std::filesystem::path& data_folder);

}  // namespace quorlin::platform
