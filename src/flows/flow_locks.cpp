#include "flows/flow_locks.h"

namespace quorlin::flows {

std::string FlowKeyboardKey(device::DeviceLink& link,
                            const std::optional<std::filesystem::path>& sim_state_file) {
  if (sim_state_file) return platform::SimulatedKeyboardLockKey(*sim_state_file);
  return platform::KeyboardLockKey(link.CommandDevice().Path());
}

FlowLocks::FlowLocks(const std::string& keyboard_key, const std::filesystem::path& data_folder,
                     platform::LockWait wait) {
  keyboard_.emplace(keyboard_key, wait);
  if (!keyboard_->Held()) {
    error_ = keyboard_->Error();
    failure_ = keyboard_->Failure();
    keyboard_.reset();
    return;
  }
  data_folder_.emplace(data_folder, wait);
  if (!data_folder_->Held()) {
    error_ = data_folder_->Error();
    failure_ = data_folder_->Failure();
    data_folder_.reset();
    keyboard_.reset();
  }
}

}  // namespace quorlin::flows
