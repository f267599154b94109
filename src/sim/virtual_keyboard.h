#pragma once
// The keyboard's firmware as a model: its memory and how it answers each
// Command frame. Thread-safe; every method may be called from any thread.

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "device/frame.h"
#include "device/keyboard_variant.h"
#include "sim/keyboard_memory.h"
#include "sim/keyboard_options.h"
#include "sim/reply_frame.h"

namespace quorlin::sim {

class VirtualKeyboard {
 public:
  explicit VirtualKeyboard(const VirtualKeyboardOptions& options = {});
  VirtualKeyboard(const VirtualKeyboard&) = delete;
  VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

  // A keyboard whose product and contents come from a memory image or a
  // file written by Save; nullptr with the reason when they do not hold up.
  static std::unique_ptr<VirtualKeyboard> FromMemory(KeyboardMemory memory, std::string* error);
  static std::unique_ptr<VirtualKeyboard> FromFile(const std::filesystem::path& file,
                                                   std::string* error);

  uint16_t ProductId() const { return variant_.product_id; }
  const device::KeyboardVariant& Variant() const { return variant_; }
  uint16_t FirmwareVersion() const;

  // Answers one Command frame. Frames that get no answer (the Boot-mode
  // frame) give nullopt.
  std::optional<device::Frame> Process(FrameView frame);

  // A copy of the whole memory, and its replacement. SetMemory keeps the
  // product: an image of another product, or with areas of the wrong size,
  // is refused and changes nothing.
  KeyboardMemory Memory() const;
  bool SetMemory(KeyboardMemory memory, std::string* error);

  int ActiveProfile() const;
  // What the keyboard's own profile key does.
  void SetActiveProfile(int profile);

  bool BootModeRequested() const;
  void ClearBootModeRequest();

  // Keeps the memory between runs. Save writes a temporary file beside the
  // target and renames it over; Load checks the whole file before it
  // changes anything.
  bool Save(const std::filesystem::path& file, std::string* error) const;
  bool Load(const std::filesystem::path& file, std::string* error);

 private:
  using FrameData = std::span<const uint8_t, device::kFrameDataSize>;

  device::Frame Execute(const Request& request, FrameData data);
  device::Frame WriteDeviceInfo(const Request& request, FrameData data);

  const device::KeyboardVariant variant_;
  const bool verify_checksums_;

  mutable std::mutex mutex_;
  KeyboardMemory memory_;
  bool boot_mode_requested_ = false;
};

}  // namespace quorlin::sim
