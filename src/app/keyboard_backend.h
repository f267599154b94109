#pragma once
// The HID backend the program runs on: the real keyboard, or the simulated
// one whose memory is kept in the same file quorlinctl --sim-state uses.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "device/hid_backend.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::app {

class KeyboardBackend {
 public:
  // Null with `error` when the state file cannot be read or this build has
  // no HID support.
  static std::unique_ptr<KeyboardBackend> Make(const StartOptions& options, std::string& error);
  // The simulated keyboard, for tests.
  explicit KeyboardBackend(std::shared_ptr<sim::VirtualKeyboard> keyboard,
                           std::optional<std::filesystem::path> state_file = {});
  explicit KeyboardBackend(std::unique_ptr<device::HidBackend> real);

  device::HidBackend& Get() { return *backend_; }
  bool Simulated() const { return sim_ != nullptr; }
  sim::SimBackend* Sim() { return sim_; }

  // Keeps the simulated keyboard's memory (nothing for a real keyboard or
  // without a state file). False with `error` when the file cannot be written.
  bool Save(std::string& error) const;
  // Takes the simulated memory from the state file again, after quorlinctl
  // changed it. True when it was reloaded.
  bool ReloadState(std::string& error);

 private:
  std::unique_ptr<device::HidBackend> backend_;
  sim::SimBackend* sim_ = nullptr;
  std::optional<std::filesystem::path> state_file_;
};

}  // namespace quorlin::app
