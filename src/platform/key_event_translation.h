#pragma once
// Native key events of each platform turned into the Windows pair that key
// capture understands: a virtual key and a keyboard-message lParam (bits
// 16..23 scan code, bit 24 extended flag, bits 30..31 on release). Which key
// the pair names is decided in one place only, from that pair.

#include <cstdint>
#include <optional>
#include <span>

namespace quorlin::platform {

struct KeyMessage {
  uint32_t vk = 0;
  uint32_t lparam = 0;

  friend bool operator==(const KeyMessage&, const KeyMessage&) = default;
};

struct KeyEventState {
  bool num_lock_on = true;
  bool ctrl_down = false;  // Ctrl+Pause is Break
  bool alt_down = false;   // Alt+Print Screen is Sys Req
  bool release = false;
};

// `scan` carries the extended flag as 0x100, as in the key codes.
uint32_t MakeKeyLParam(uint16_t scan, bool release);

// Linux: the kernel's evdev key code. Keys the program cannot name give nothing.
std::optional<KeyMessage> KeyMessageFromEvdev(uint16_t evdev_code, const KeyEventState& state);

// X11 and Wayland report the evdev code + 8 as the native scan code.
inline constexpr uint32_t kXkbScanCodeOffset = 8;
std::optional<KeyMessage> KeyMessageFromXkbScanCode(uint32_t native_scan_code,
                                                    const KeyEventState& state);

// Windows already speaks the pair; only the lParam is rebuilt.
KeyMessage KeyMessageFromWindows(uint32_t vk, uint32_t scan_code, bool extended, bool release);

// One row of the Linux table, for tools and tests that walk every key.
struct EvdevKey {
  uint16_t evdev_code;
  uint16_t scan;  // set-1 scan code, 0x100 = extended
  uint8_t vk;     // with Num Lock on
  uint8_t vk_num_lock_off;
};
std::span<const EvdevKey> EvdevKeys();

}  // namespace quorlin::platform
