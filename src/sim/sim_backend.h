#pragma once
// A HidBackend whose only device is a simulated keyboard (or nothing, while
// it is unplugged). It presents the keyboard's Vendor collection (report
// ID 4, 64-byte reports) and Consumer collection (report ID 3, event
// reports), answers Command frames through the VirtualKeyboard, records
// every frame it received, and misbehaves on request.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/frame.h"
#include "device/hid_backend.h"
#include "sim/sim_faults.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::sim {

class SimHub;

struct SimBackendOptions {
  // Both collections on one OS node, as Linux hidraw shows a composite HID
  // interface: paths "sim:0x5000&col01" (vendor) and "&col02" (consumer),
  // and every handle receives every input report of the node: replies and
  // event reports alike. Otherwise each collection is its own node:
  // "sim:0x5000/vendor" and "sim:0x5000/consumer".
  bool shared_node = false;
};

class SimBackend final : public device::HidBackend {
 public:
  // Plugged in when `keyboard` is given.
  explicit SimBackend(std::shared_ptr<VirtualKeyboard> keyboard = nullptr,
                      SimBackendOptions options = {});
  ~SimBackend() override;
  SimBackend(const SimBackend&) = delete;
  SimBackend& operator=(const SimBackend&) = delete;

  // Plugging replaces whatever was plugged in; Plug() brings back the last
  // keyboard with its memory. Unplugging fails every open handle's I/O from
  // then on and releases reads waiting on them with an error.
  void Plug(std::shared_ptr<VirtualKeyboard> keyboard);
  void Plug();
  void Unplug();
  bool Plugged() const;
  std::shared_ptr<VirtualKeyboard> Keyboard() const;

  // Paths of the plugged keyboard's collections (empty when none is plugged).
  std::string VendorPath() const;
  std::string ConsumerPath() const;

  // The keyboard reports a change of its own state (for example 0x0401 or
  // 0x0402): a 3-byte report 03 lo hi to the Consumer collection's readers.
  // False when nothing is plugged in.
  bool SendEvent(uint16_t code);

  // Fault injection.
  void SilenceNextFrames(int count);
  void RefuseNextFrames(int count, uint8_t status = 0xFF);
  void FailNextWrites(int count);
  void SetReplyDelay(std::chrono::milliseconds delay);
  void SetReportInterval(std::chrono::microseconds interval);
  void UnplugAfterFrames(int count);
  void SetOpenDenied(bool denied);
  void SetEnumerationFails(bool fails);
  void SetFaults(const SimFaults& faults);
  void ClearFaults();

  // Every Command frame the keyboard received, in order.
  std::vector<device::Frame> ReceivedFrames() const;
  void ClearReceivedFrames();
  int OpenHandles() const;

  bool Enumerate(std::vector<device::HidInterfaceInfo>& out) override;
  std::unique_ptr<device::HidHandle> Open(const std::string& path, device::HidOpenMode mode,
                                          device::OpenError& error) override;
  bool StillPresent(const std::string& path) override;
  bool WaitForChange(int timeout_ms) override;
  void WakeWaiters() override;

 private:
  std::string SlotPath(std::size_t slot) const;

  std::shared_ptr<SimHub> hub_;
};

}  // namespace quorlin::sim
