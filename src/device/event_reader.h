#pragma once
// Listens on the keyboard's consumer collection for the reports it sends
// when its own state changes, and turns each into a main-window timer or a
// tray-icon change.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "device/device_notifications.h"
#include "device/hid_backend.h"
#include "device/hid_device.h"
#include "device/stop_token.h"

namespace quorlin::device {

inline constexpr uint16_t kEventReloadLighting = 0x0401;
inline constexpr uint16_t kEventKeyboardReset = 0x0402;
inline constexpr uint16_t kEventRestoreTrayIcon = 0x1810;
inline constexpr uint16_t kEventAlternateTrayIcon = 0x1811;

// The event code of the last decoded report: the first usage of the first
// input decode item that report filled, 0 when there is none.
uint16_t EventCodeOf(const HidDevice& device);

class EventReader {
 public:
  // While no keyboard is there the reader waits for the backend's word that
  // devices came or went; `rescan_ms` is the longest it waits without one.
  EventReader(HidBackend& backend, DeviceNotifications& ui, int rescan_ms = 1000);
  ~EventReader();
  EventReader(const EventReader&) = delete;
  EventReader& operator=(const EventReader&) = delete;

  void Start();
  void Stop();
  bool Ended() const { return ended_.load(); }
  // True while the consumer collection is open and its reports are taken.
  bool Listening() const { return listening_.load(); }

  // What one event code does; public so it can be exercised directly.
  void Dispatch(uint16_t code);

 private:
  void Run();
  void ReadUntilFailure();
  void ChangeTrayIcon(TrayIcon icon);

  void WaitForArrival(int& quick_looks);

  HidBackend& backend_;
  DeviceNotifications& ui_;
  int rescan_ms_;
  HidDevice device_;
  StopFlag stop_;
  std::thread thread_;
  std::atomic<bool> ended_{false};
  std::atomic<bool> listening_{false};
  std::atomic<bool> running_{false};
  // Tray-icon workers: one short thread per event, serialised on a flag,
  // joined when the reader stops.
  std::atomic<bool> tray_busy_{false};
  std::mutex workers_mutex_;
  std::vector<std::thread> workers_;
};

}  // namespace quorlin::device
