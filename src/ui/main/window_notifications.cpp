#include "ui/main/window_notifications.h"

#include <chrono>
#include <future>
#include <memory>
#include <string>

#include "ui/main/main_window_ids.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/main/tray_icon_files.h"

namespace quorlin::ui {

int TrayIconId(device::TrayIcon icon, bool keyboard_present) {
  switch (icon) {
    case device::TrayIcon::kConnected:
      return tray_icons::kKeyboardPresent;
    case device::TrayIcon::kDisconnected:
      return tray_icons::kNoKeyboard;
    case device::TrayIcon::kAlternate:
      return tray_icons::kAlternate;
    case device::TrayIcon::kRestore:
      break;
  }
  return keyboard_present ? tray_icons::kKeyboardPresent : tray_icons::kNoKeyboard;
}

void WindowDeviceNotifications::KeyboardRemoved() {
  if (window_.Closing()) return;
  window_.OnWindowThread([this] { window_.OnKeyboardRemoved(); });
}

void WindowDeviceNotifications::ProfileReload() {
  if (window_.Closing()) return;
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  CQuorlinDlg* window = &window_;
  QMetaObject::invokeMethod(
      window,
      [window, done] {
        window->RunFlow(CQuorlinDlg::ReloadAfterArrival);
        // Queued after the reload, so it runs once the reload is done.
        window->Jobs().Run([] { return 1; }, [done](int) { done->set_value(); });
      },
      Qt::QueuedConnection);
  // The presence monitor goes on once the window has the keyboard's data,
  // or when the window closes meanwhile.
  while (finished.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
    if (window_.Closing()) return;
}

void WindowDeviceNotifications::PostOpenNotification() {
  CQuorlinDlg* window = &window_;
  QMetaObject::invokeMethod(
      window, [window] { window->OnOpen(main_ids::kTagOpen); }, Qt::QueuedConnection);
}

void WindowDeviceNotifications::HideMainWindow() {
  CQuorlinDlg* window = &window_;
  QMetaObject::invokeMethod(
      window, [window] { window->HideToTray(); }, Qt::QueuedConnection);
}

void WindowDeviceNotifications::SetTrayIcon(device::TrayIcon icon) {
  CQuorlinDlg* window = &window_;
  QMetaObject::invokeMethod(
      window,
      [window, icon] {
        window->OnTrayIcon(
            TrayIconId(icon, window->Context().link.last_presence_state.load() == 1));
      },
      Qt::QueuedConnection);
}

void WindowDeviceNotifications::StartTimer(int timer_id) {
  CQuorlinDlg* window = &window_;
  QMetaObject::invokeMethod(
      window, [window, timer_id] { window->StartDeviceTimer(timer_id); }, Qt::QueuedConnection);
}

void WindowDeviceNotifications::ShowMessage(std::string_view text_key) {
  if (window_.Closing()) return;
  const std::string key(text_key);
  window_.OnWindowThread([this, key] { window_.ShowTextKey(key); });
}

}  // namespace quorlin::ui
