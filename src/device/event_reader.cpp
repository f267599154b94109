#include "device/event_reader.h"

#include <algorithm>
#include <chrono>

#include "device/keyboard_finder.h"

namespace quorlin::device {

uint16_t EventCodeOf(const HidDevice& device) {
  // The item the report filled: the interface's first item may belong to
  // another report ID and still hold an old decode.
  const DecodeItem* item = device.LastDecodedItem();
  if (!item) return 0;
  if (item->is_button) return item->usages.empty() ? 0 : item->usages.front();
  return static_cast<uint16_t>(item->raw_value);
}

EventReader::EventReader(HidBackend& backend, DeviceNotifications& ui, int rescan_ms)
    : backend_(backend), ui_(ui), rescan_ms_(rescan_ms), device_(backend) {}

EventReader::~EventReader() {
  Stop();
}

void EventReader::Start() {
  if (thread_.joinable()) return;
  stop_.Reset();
  ended_ = false;
  running_ = true;
  thread_ = std::thread([this] {
    Run();
    running_ = false;
  });
}

void EventReader::Stop() {
  if (thread_.joinable()) {
    stop_.Request();
    // Releases the read that waits without limit.
    device_.Close();
    // A wake-up sent just before the thread starts waiting for a device
    // change would be lost: repeat it until the thread is out.
    while (running_.load()) {
      backend_.WakeWaiters();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    thread_.join();
  }
  std::vector<std::thread> workers;
  {
    std::lock_guard lock(workers_mutex_);
    workers.swap(workers_);
  }
  for (auto& w : workers) w.join();
}

void EventReader::Run() {
  int quick_looks = 0;
  while (!stop_.Requested()) {
    const FindResult found = FindKeyboard(device_, kConsumerCollection, false);
    if (found == FindResult::kListingFailed) {
      ended_ = true;
      return;
    }
    if (found == FindResult::kFound) {
      listening_ = true;
      ReadUntilFailure();
      listening_ = false;
      device_.Close();
      quick_looks = 0;
    }
    if (stop_.Requested()) return;
    WaitForArrival(quick_looks);
  }
}

void EventReader::WaitForArrival(int& quick_looks) {
  // Nothing wakes the program while no keyboard is there: the backend tells
  // us when devices come or go. A keyboard's collections arrive as separate
  // notices and one may come while we are still looking, so a change is
  // followed by a few quick looks before the long wait again.
  constexpr int kQuickLooks = 3;
  constexpr int kQuickLookMs = 200;
  const int wait_ms = quick_looks > 0 ? std::min(kQuickLookMs, rescan_ms_) : rescan_ms_;
  if (quick_looks > 0) --quick_looks;
  if (backend_.WaitForChange(wait_ms)) quick_looks = kQuickLooks;
}

void EventReader::ReadUntilFailure() {
  std::vector<uint8_t>& buffer = device_.InputReportBuffer();
  // Stop may have closed the device between our open and this check; a
  // closed device fails the read at once, so the loop cannot hang.
  while (!stop_.Requested()) {
    std::size_t n = 0;
    if (!device_.ReadReport(buffer, &n, -1)) return;
    std::span<const uint8_t> report(buffer.data(), n);
    // Only this collection's reports decode to an item; a vendor reply read
    // on a shared node gives no usage and is passed over.
    if (!device_.DecodeInputReport(report)) continue;
    Dispatch(EventCodeOf(device_));
  }
}

void EventReader::Dispatch(uint16_t code) {
  switch (code) {
    case kEventReloadLighting:
      ui_.StartTimer(kLightingRefreshTimer);
      break;
    case kEventKeyboardReset:
      ui_.StartTimer(kKeyboardResetTimer);
      break;
    case kEventRestoreTrayIcon:
      ChangeTrayIcon(TrayIcon::kRestore);
      break;
    case kEventAlternateTrayIcon:
      ChangeTrayIcon(TrayIcon::kAlternate);
      break;
    default:
      break;
  }
}

void EventReader::ChangeTrayIcon(TrayIcon icon) {
  std::lock_guard lock(workers_mutex_);
  workers_.emplace_back([this, icon] {
    bool expected = false;
    while (!tray_busy_.compare_exchange_weak(expected, true)) {
      expected = false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ui_.SetTrayIcon(icon);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    tray_busy_ = false;
  });
}

}  // namespace quorlin::device
