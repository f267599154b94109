#pragma once
// The HidBackend for real keyboards, over hidapi (hidraw on Linux).
//
// hidraw exposes one node per USB interface, while the rest of the program
// thinks in top-level collections (as Windows lists them). Each collection of
// a node is therefore listed with its own path: the node plus "&colNN",
// 1-based and two digits at least ("/dev/hidraw3&col02" is the second
// top-level collection of /dev/hidraw3). A path without the suffix names the
// first collection. Collections are numbered in the order our own report
// descriptor parser finds them, so CollectionIndex() indexes
// ParseReportDescriptor(...)->collections directly.
//
// All collections of one node share its input stream. A handle therefore
// drops input reports whose report ID belongs to none of its collection's
// input reports (when the node numbers its reports), so each handle reads
// only its own collection, as on Windows.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/hid_backend.h"

namespace quorlin::device {

// "/dev/hidraw3&col02" -> node "/dev/hidraw3", index 1. A path without a
// well-formed suffix is the node itself with index 0.
struct CollectionPath {
  std::string node;
  int index = 0;
};
CollectionPath SplitCollectionPath(const std::string& path);
std::string MakeCollectionPath(const std::string& node, int index);

class HidapiBackend : public HidBackend {
 public:
  HidapiBackend();
  ~HidapiBackend() override;
  HidapiBackend(const HidapiBackend&) = delete;
  HidapiBackend& operator=(const HidapiBackend&) = delete;

  bool Enumerate(std::vector<HidInterfaceInfo>& out) override;
  std::unique_ptr<HidHandle> Open(const std::string& path, HidOpenMode mode,
                                  OpenError& error) override;
  bool StillPresent(const std::string& path) override;
  // A negative time-out waits until a change or WakeWaiters().
  bool WaitForChange(int timeout_ms) override;
  void WakeWaiters() override;

 private:
  struct Monitor;  // the udev monitor, when built with libudev

  bool WaitWithoutMonitor(std::unique_lock<std::mutex>& lock, int timeout_ms, uint64_t wake_seen);

  std::mutex mutex_;
  std::condition_variable changed_;
  uint64_t wake_generation_ = 0;
  uint64_t change_generation_ = 0;
  int waiters_ = 0;
  // A wake that found nobody waiting is kept for the next wait, so a thread
  // told to stop just before it starts waiting does not sleep a full period.
  bool wake_pending_ = false;
  std::vector<int> waiter_fds_;  // one eventfd per waiter in a monitored wait
  std::unique_ptr<Monitor> monitor_;
};

std::unique_ptr<HidBackend> MakeHidapiBackend();

}  // namespace quorlin::device
