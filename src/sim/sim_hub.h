#pragma once
// The simulated bus: the plugged keyboard, the open handles with their
// input queues, the faults, and the record of received frames. One mutex
// guards all of it; SimBackend and every SimHandle share one hub.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/frame.h"
#include "device/hid_backend.h"
#include "sim/sim_faults.h"
#include "sim/sim_topology.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::sim {

using SimClock = std::chrono::steady_clock;

struct TimedReport {
  std::vector<uint8_t> bytes;
  SimClock::time_point ready;  // not readable before this
};

// One open handle's share of its node: like a hidraw file, it receives every
// input report the node produces from the moment it was opened.
struct SimPort {
  int node = 0;
  device::HidOpenMode mode;
  uint64_t generation = 0;  // the plug-in it was opened on
  bool aborted = false;
  std::deque<TimedReport> inbox;
};

class SimHub : public std::enable_shared_from_this<SimHub> {
 public:
  SimHub(std::shared_ptr<VirtualKeyboard> keyboard, bool shared_node);

  void Plug(std::shared_ptr<VirtualKeyboard> keyboard);
  void PlugAgain();  // the keyboard last plugged, if it is out
  void Unplug();
  bool Plugged() const;
  std::shared_ptr<VirtualKeyboard> Keyboard() const;
  std::vector<CollectionSlot> Slots() const;

  bool SendEvent(uint16_t code);

  template <typename Edit>
  void EditFaults(Edit&& edit) {
    std::lock_guard lock(mutex_);
    edit(faults_);
  }
  std::vector<device::Frame> ReceivedFrames() const;
  void ClearReceivedFrames();
  int OpenHandles() const;

  bool Enumerate(std::vector<device::HidInterfaceInfo>& out);
  std::unique_ptr<device::HidHandle> Open(const std::string& path, device::HidOpenMode mode,
                                          device::OpenError& error);
  bool StillPresent(const std::string& path) const;
  bool WaitForChange(int timeout_ms);
  void WakeWaiters();

  // The handle side.
  int Read(SimPort& port, std::span<uint8_t> buffer, int timeout_ms);
  int Write(SimPort& port, std::span<const uint8_t> report);
  void Abort(SimPort& port);
  void Close(const SimPort* port);

 private:
  bool UsableLocked(const SimPort& port) const;
  std::optional<CollectionSlot> FindSlotLocked(const std::string& path) const;
  int NodeOfLocked(std::size_t slot) const;
  bool TakeFrameLocked(std::span<const uint8_t> report);
  std::optional<device::Frame> AnswerLocked(const device::Frame& frame);
  void DeliverLocked(int node, const std::vector<uint8_t>& bytes, SimClock::time_point ready);
  void UnplugLocked();
  void NoteChangeLocked();

  const bool shared_node_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::shared_ptr<VirtualKeyboard> keyboard_;
  bool plugged_ = false;
  uint64_t generation_ = 0;
  uint64_t change_count_ = 0;
  uint64_t wake_count_ = 0;
  SimFaults faults_;
  std::vector<device::Frame> received_;
  std::vector<std::shared_ptr<SimPort>> ports_;
};

}  // namespace quorlin::sim
