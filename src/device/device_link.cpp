#include "device/device_link.h"

#include "device/commands.h"

namespace quorlin::device {

DeviceLink::DeviceLink(HidBackend& backend)
    : backend_(backend), command_device_(backend), channel_(command_device_) {}

KeyboardVariant DeviceLink::Variant() const {
  std::lock_guard lock(state_mutex_);
  return variant_;
}

void DeviceLink::SetVariant(const KeyboardVariant& v) {
  std::lock_guard lock(state_mutex_);
  variant_ = v;
}

DefaultKeyTable DeviceLink::DefaultTable() const {
  std::lock_guard lock(state_mutex_);
  return default_table_;
}

void DeviceLink::SetDefaultTable(const DefaultKeyTable& table) {
  std::lock_guard lock(state_mutex_);
  default_table_ = table;
}

DeviceInfo DeviceLink::Info() const {
  std::lock_guard lock(state_mutex_);
  return info_;
}

void DeviceLink::SetInfo(const DeviceInfo& info) {
  std::lock_guard lock(state_mutex_);
  info_ = info;
}

int DeviceLink::ActiveProfile() {
  const int cached = active_profile_.load();
  if (cached != -1) return cached;
  DeviceInfo info;
  if (ReadDeviceInfo(channel_, info) != kOk) return -1;
  // A byte naming no profile would become the lighting slot and the key
  // table page every write is addressed by, so it counts as unknown.
  const int active = info.ActiveProfile();
  if (active < 0 || active >= kProfileCount) return -1;
  active_profile_.store(active);
  return active;
}

Result DeviceLink::SelectActiveProfile(int profile) {
  DeviceInfo info;
  Result r = ReadDeviceInfo(channel_, info);
  if (r == kOk) {
    info.SetActiveProfile(profile);
    r = WriteDeviceInfo(channel_, info);
  }
  active_profile_.store(r == kOk ? profile : -1);
  return r;
}

}  // namespace quorlin::device
