#pragma once
// How the device threads reach the main window. Each call comes from the
// presence monitor, the event reader or one of its tray workers; those the
// device side waits for are carried over to the window's thread and waited
// for, the others are queued. Nothing reaches a window that is closing.

#include "device/device_notifications.h"

namespace quorlin::ui {

class CQuorlinDlg;

class WindowDeviceNotifications final : public device::DeviceNotifications {
 public:
  explicit WindowDeviceNotifications(CQuorlinDlg& window) : window_(window) {}

  void KeyboardRemoved() override;
  // Waits until the reload has run on the device worker.
  void ProfileReload() override;
  void PostOpenNotification() override;
  void HideMainWindow() override;
  void SetTrayIcon(device::TrayIcon icon) override;
  void StartTimer(int timer_id) override;
  void ShowMessage(std::string_view text_key) override;

 private:
  CQuorlinDlg& window_;
};

// The icon number of a tray state; kRestore gives the keyboard's presence.
int TrayIconId(device::TrayIcon icon, bool keyboard_present);

}  // namespace quorlin::ui
