#pragma once
// The HID backend the program runs on: the real keyboard, or the simulated
// one whose memory is kept in the same file quorlinctl --sim-state uses.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
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
  bool Save(std::string& error);
  // Takes the simulated memory from the state file again, after quorlinctl
  // changed it. True when it was reloaded.
  bool ReloadState(std::string& error);

  // Around each device job, with the keyboard lock held. Before: the file
  // is taken again when another program wrote it since this one last read
  // or wrote it, so a job never works on (and then saves) stale memory.
  // After: the memory is saved when the job changed it, so the next
  // quorlinctl run, and a reload after it, keep this program's changes.
  // Both do nothing for a real keyboard or without a state file; false
  // with `error` when the file cannot be read or written.
  bool SyncFromFile(std::string& error);
  bool SaveIfChanged(std::string& error);

 private:
  // The state file as last read or written here (size and modification
  // time), and the memory it then held.
  struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written{};
    bool operator==(const FileStamp&) const = default;
  };
  std::optional<FileStamp> StampOfFile() const;
  // Notes the file and `memory` as in step with each other.
  void NoteInStep(sim::KeyboardMemory memory);
  bool SaveLocked(std::string& error);

  std::unique_ptr<device::HidBackend> backend_;
  sim::SimBackend* sim_ = nullptr;
  std::optional<std::filesystem::path> state_file_;
  mutable std::mutex mutex_;
  std::optional<FileStamp> stamp_;
  std::optional<sim::KeyboardMemory> in_step_;
};

}  // namespace quorlin::app
