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

ActiveProfileLookup DeviceLink::LookUpActiveProfile() {
  const int cached = active_profile_.load();
  if (cached != -1) return {cached, kOk, cached};
  DeviceInfo info;
  const Result read = ReadDeviceInfo(channel_, info);
  if (read != kOk) return {-1, read, -1};
  // A byte naming no profile would become the lighting slot and the key
  // table page every write is addressed by, so it counts as unknown.
  const int active = info.ActiveProfile();
  if (active < 0 || active >= kProfileCount) return {-1, kBadProfile, active};
  active_profile_.store(active);
  return {active, kOk, active};
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
