#pragma once
// A device link opened on a simulated keyboard, for tests.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "device/device_notifications.h"
#include "device/keyboard_finder.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::device::testing {

inline std::shared_ptr<sim::VirtualKeyboard> MakeKeyboard(uint16_t product) {
  sim::VirtualKeyboardOptions o;
  o.product_id = product;
  return std::make_shared<sim::VirtualKeyboard>(o);
}

struct SimLink {
  explicit SimLink(uint16_t product = kProductId5000, sim::SimBackendOptions options = {})
      : keyboard(MakeKeyboard(product)), backend(keyboard, options), link(backend) {
    link.Channel().SetBatchPause(std::chrono::microseconds(0));
  }
  // Opens the command channel as an arrival does, then forgets the frames
  // that took.
  bool Connect() {
    const bool ok = ConnectKeyboard(link) == FindResult::kFound;
    backend.ClearReceivedFrames();
    return ok;
  }
  std::vector<FrameHeader> Headers() const {
    std::vector<FrameHeader> out;
    for (const auto& f : backend.ReceivedFrames()) out.push_back(ReadFrameHeader(f));
    return out;
  }

  std::shared_ptr<sim::VirtualKeyboard> keyboard;
  sim::SimBackend backend;
  DeviceLink link;
};

// Records what the device threads tell the main window.
class RecordingNotifications : public DeviceNotifications {
 public:
  void KeyboardRemoved() override { Add("removed"); }
  void ProfileReload() override { Add("reload"); }
  void PostOpenNotification() override { Add("open"); }
  void HideMainWindow() override { Add("hide"); }
  void SetTrayIcon(TrayIcon icon) override {
    static const char* names[] = {"tray:connected", "tray:disconnected", "tray:alternate",
                                  "tray:restore"};
    Add(names[static_cast<int>(icon)]);
  }
  void StartTimer(int id) override { Add("timer:" + std::to_string(id)); }
  void ShowMessage(std::string_view key) override { Add("message:" + std::string(key)); }

  std::vector<std::string> Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
  }
  int Count(const std::string& call) const {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (const auto& c : calls_) n += c == call;
    return n;
  }

 private:
  void Add(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace quorlin::device::testing
