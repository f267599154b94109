#pragma once
// The device state the whole program shares: the command device and its
// channel, the Keyboard variant, the Default key table, the Device info
// record, the Active profile cache and the Macro capacity.

#include <atomic>
#include <mutex>

#include "device/command_channel.h"
#include "device/device_info.h"
#include "device/hid_backend.h"
#include "device/hid_device.h"
#include "device/keyboard_variant.h"
#include "device/result.h"

namespace quorlin::device {

// The Active profile with the reason it may be unknown.
struct ActiveProfileLookup {
  int profile = -1;  // 0..2, or -1 when not known
  // kOk with a profile; the Device info read's failure; or kBadProfile when
  // the keyboard answered with a byte naming no profile (`reported`), which
  // only setting a profile repairs.
  Result result = kAbsent;
  int reported = -1;
};

class DeviceLink {
 public:
  explicit DeviceLink(HidBackend& backend);

  HidBackend& Backend() { return backend_; }
  HidDevice& CommandDevice() { return command_device_; }
  CommandChannel& Channel() { return channel_; }
  bool Present() const { return channel_.Present(); }

  KeyboardVariant Variant() const;
  void SetVariant(const KeyboardVariant& v);

  DefaultKeyTable DefaultTable() const;
  void SetDefaultTable(const DefaultKeyTable& table);

  DeviceInfo Info() const;
  void SetInfo(const DeviceInfo& info);

  int MacroCapacity() const { return macro_capacity_.load(); }
  void SetMacroCapacity(int bytes) { macro_capacity_.store(bytes); }

  // Active profile cache: -1 unknown.
  int CachedActiveProfile() const { return active_profile_.load(); }
  void InvalidateActiveProfile() { active_profile_.store(-1); }
  // The cached value, or a Device info read that fills the cache; -1 when
  // that read fails or its byte names no profile (0..2).
  int ActiveProfile() { return LookUpActiveProfile().profile; }
  ActiveProfileLookup LookUpActiveProfile();
  // Reads the Device info record, sets its Active profile and writes it
  // back; the cache follows the result (the new value, or -1 on failure).
  Result SelectActiveProfile(int profile);

  // Written by the presence monitor, read anywhere.
  std::atomic<int> last_presence_state{0};
  std::atomic<int> first_arrival_handled{0};

 private:
  HidBackend& backend_;
  HidDevice command_device_;
  CommandChannel channel_;
  mutable std::mutex state_mutex_;
  KeyboardVariant variant_ = kVariant0000;
  DefaultKeyTable default_table_{};
  DeviceInfo info_;
  std::atomic<int> macro_capacity_{0};
  std::atomic<int> active_profile_{-1};
};

}  // namespace quorlin::device
