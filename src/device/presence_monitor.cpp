#include "device/presence_monitor.h"

#include <chrono>

#include "device/commands.h"
#include "device/keyboard_finder.h"

namespace quorlin::device {

PresenceMonitor::PresenceMonitor(DeviceLink& link, DeviceNotifications& ui, PresenceTiming timing)
    : link_(link), ui_(ui), timing_(timing) {}

PresenceMonitor::~PresenceMonitor() {
  Stop();
}

void PresenceMonitor::Start() {
  if (thread_.joinable()) return;
  stop_.Reset();
  ended_ = false;
  running_ = true;
  thread_ = std::thread([this] {
    Run();
    running_ = false;
  });
}

void PresenceMonitor::Stop() {
  if (!thread_.joinable()) return;
  stop_.Request();
  // The event reader waits on the same backend, so a wake-up sent just
  // before this thread starts waiting is not kept for it: repeat it until
  // the thread is out.
  while (running_.load()) {
    link_.Backend().WakeWaiters();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  thread_.join();
}

bool PresenceMonitor::Pause(int ms) {
  if (stop_.Requested()) return true;
  // On Linux the backend wakes us as soon as a device comes or goes; the
  // timed pause stays as the fallback.
  link_.Backend().WaitForChange(ms);
  return stop_.Requested();
}

bool PresenceMonitor::FirstScan() {
  HidDevice& dev = link_.CommandDevice();
  const FindResult found =
      FindKeyboard(dev, kVendorCollection, true, &link_.Channel().DeviceLock());
  if (found != FindResult::kFound) return found != FindResult::kListingFailed;
  link_.Channel().SetPresent(true);
  DeviceInfo scratch;
  ReadDeviceInfo(link_.Channel(), scratch);
  dev.Close();
  return true;
}

bool PresenceMonitor::ScanAndAccept() {
  HidDevice& dev = link_.CommandDevice();
  const FindResult found =
      FindKeyboard(dev, kVendorCollection, true, &link_.Channel().DeviceLock());
  if (found == FindResult::kListingFailed) return false;
  if (found == FindResult::kFound) {
    link_.Channel().SetPresent(true);
    link_.SetVariant(VariantForProduct(dev.Attributes().product_id));
    DeviceStateChanged(1);
  }
  return true;
}

void PresenceMonitor::Run() {
  if (link_.first_arrival_handled.load() == 1 && stop_.PauseFor(timing_.first_pause_ms)) return;
  if (!FirstScan()) {
    ended_ = true;
    return;
  }
  link_.Channel().SetPresent(false);
  bool first_pass = true;
  while (!stop_.Requested()) {
    if (link_.Channel().Present()) {
      if (!link_.CommandDevice().PathStillPresent()) {
        link_.Channel().SetPresent(false);
        // Release the dead node now rather than keep a stale handle around.
        link_.CommandDevice().Close();
        DeviceStateChanged(0);
      }
    } else {
      if (!ScanAndAccept()) {
        ended_ = true;
        return;
      }
      if (first_pass) {
        const bool present = link_.Channel().Present();
        DeviceStateChanged(present ? 1 : 0);
        if (!present) link_.first_arrival_handled = 1;
      }
    }
    first_pass = false;
    if (Pause(link_.Channel().Present() ? timing_.present_check_ms : timing_.absent_rescan_ms)) {
      return;
    }
  }
}

void PresenceMonitor::DeviceStateChanged(int state) {
  if (state == link_.last_presence_state.load()) return;
  if (state == 0) {
    link_.InvalidateActiveProfile();
    ui_.KeyboardRemoved();
    ui_.HideMainWindow();
  } else {
    DefaultKeyTable table = link_.DefaultTable();
    if (ReadDefaultKeyTable(link_.Channel(), link_.Variant(), table) == kOk) {
      link_.SetDefaultTable(table);
    } else {
      ui_.ShowMessage("MAIN_DEFAULT_MATRIX_PROMPT");
    }
    DeviceInfo info;
    if (ReadDeviceInfo(link_.Channel(), info) == kOk) {
      link_.SetMacroCapacity(info.MacroCapacity());
      link_.SetInfo(info);
    }
    ui_.ProfileReload();
  }
  ui_.SetTrayIcon(state == 1 ? TrayIcon::kConnected : TrayIcon::kDisconnected);
  link_.last_presence_state = state;
  if (link_.first_arrival_handled.load() == 0) {
    if (state == 1) ui_.PostOpenNotification();
    link_.first_arrival_handled = 1;
  }
}

}  // namespace quorlin::device
