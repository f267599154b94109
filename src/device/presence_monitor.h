#pragma once
// Follows the keyboard's arrival and removal on its own thread: keeps the
// command device open on the vendor collection, raises and lowers the
// present flag and loads what a newly arrived keyboard must tell us.

#include <thread>

#include "device/device_link.h"
#include "device/device_notifications.h"
#include "device/stop_token.h"

namespace quorlin::device {

struct PresenceTiming {
  int first_pause_ms = 10;
  int present_check_ms = 100;
  int absent_rescan_ms = 1000;
};

class PresenceMonitor {
 public:
  PresenceMonitor(DeviceLink& link, DeviceNotifications& ui, PresenceTiming timing = {});
  ~PresenceMonitor();
  PresenceMonitor(const PresenceMonitor&) = delete;
  PresenceMonitor& operator=(const PresenceMonitor&) = delete;

  void Start();
  // Ends the thread: wakes its pauses, releases a transaction in progress
  // and joins.
  void Stop();
  // True when the thread ended on its own because listing interfaces failed.
  bool Ended() const { return ended_.load(); }

  // The arrival/removal handler; runs on the monitor thread.
  void DeviceStateChanged(int state);

 private:
  void Run();
  bool FirstScan();      // false when enumeration failed
  bool ScanAndAccept();  // false when enumeration failed
  bool Pause(int ms);

  DeviceLink& link_;
  DeviceNotifications& ui_;
  PresenceTiming timing_;
  StopFlag stop_;
  std::thread thread_;
  std::atomic<bool> ended_{false};
  std::atomic<bool> running_{false};
};

}  // namespace quorlin::device
