#pragma once
// The two locks every read-modify-write flow holds, taken in the one order
// that cannot deadlock: the keyboard first, then the data folder. The GUI's
// device worker takes them around each job that changes the keyboard or the
// data folder; quorlinctl takes them for a whole command. See
// platform/process_lock.h for what they guard.

#include <filesystem>
#include <optional>
#include <string>

#include "device/device_link.h"
#include "platform/process_lock.h"

namespace quorlin::flows {

// The lock key of the keyboard a link talks to: the simulated keyboard's
// memory file when one is kept, else the link's command device.
std::string FlowKeyboardKey(device::DeviceLink& link,
                            const std::optional<std::filesystem::path>& sim_state_file);

class FlowLocks {
 public:
  // Waits up to `wait` for each lock (nullopt: as long as it takes).
  FlowLocks(const std::string& keyboard_key, const std::filesystem::path& data_folder,
            platform::LockWait wait = std::nullopt);
  FlowLocks(const FlowLocks&) = delete;
  FlowLocks& operator=(const FlowLocks&) = delete;

  // False when a lock could not be taken; nothing is held then and Error()
  // says which and why. The flow must not run.
  bool Held() const { return error_.empty(); }
  const std::string& Error() const { return error_; }
  // The same as a code, for a caller that says it in its own language.
  const platform::LockFailure& Failure() const { return failure_; }

 private:
  std::optional<platform::KeyboardLock> keyboard_;
  std::optional<platform::DataFolderLock> data_folder_;
  std::string error_;
  platform::LockFailure failure_;
};

}  // namespace quorlin::flows
