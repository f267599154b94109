#pragma once
// How the device threads reach the main window. The UI implements it; tests
// record the calls.

#include <string_view>

namespace quorlin::device {

enum class TrayIcon { kConnected, kDisconnected, kAlternate, kRestore };

inline constexpr int kLightingRefreshTimer = 1051;
inline constexpr int kKeyboardResetTimer = 1053;

class DeviceNotifications {
 public:
  virtual ~DeviceNotifications() = default;
  // Both return only once the main window has handled them.
  virtual void KeyboardRemoved() = 0;
  virtual void ProfileReload() = 0;
  // Queued: returns at once.
  virtual void PostOpenNotification() = 0;
  virtual void HideMainWindow() = 0;
  virtual void SetTrayIcon(TrayIcon icon) = 0;
  // A one-shot timer of 0 ms on the main window (lighting refresh or reset).
  virtual void StartTimer(int timer_id) = 0;
  // A message box with the localised text of `text_key`; returns when closed.
  virtual void ShowMessage(std::string_view text_key) = 0;
};

}  // namespace quorlin::device
