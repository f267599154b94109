#include "platform/key_event_translation.h"

#include <algorithm>
#include <array>

namespace quorlin::platform {
namespace {

constexpr uint16_t kExtended = 0x100;

// Keys whose events Windows rewrites when a modifier is held.
constexpr uint16_t kEvdevSysRq = 99;  // Print Screen
constexpr uint16_t kEvdevPause = 119;
constexpr EvdevKey kSysReq{kEvdevSysRq, 0x054, 0x2C, 0x2C};
constexpr EvdevKey kBreak{kEvdevPause, 0x146, 0x03, 0x03};

constexpr EvdevKey Key(uint16_t evdev, uint16_t scan, uint8_t vk) {
  return {evdev, scan, vk, vk};
}
constexpr EvdevKey Pad(uint16_t evdev, uint16_t scan, uint8_t vk, uint8_t off) {
  return {evdev, scan, vk, off};
}

// Sorted by evdev code. Virtual keys are the ones Windows' low-level hook
// reports, left and right modifiers apart; 0xFF where Windows gives none.
// clang-format off
constexpr std::array kEvdevKeys = {
    Key(1, 0x01, 0x1B),           // Esc
    Key(2, 0x02, 0x31),           // 1
    Key(3, 0x03, 0x32),           // 2
    Key(4, 0x04, 0x33),           // 3
    Key(5, 0x05, 0x34),           // 4
    Key(6, 0x06, 0x35),           // 5
    Key(7, 0x07, 0x36),           // 6
    Key(8, 0x08, 0x37),           // 7
    Key(9, 0x09, 0x38),           // 8
    Key(10, 0x0A, 0x39),          // 9
    Key(11, 0x0B, 0x30),          // 0
    Key(12, 0x0C, 0xBD),          // minus
    Key(13, 0x0D, 0xBB),          // equals
    Key(14, 0x0E, 0x08),          // Backspace
    Key(15, 0x0F, 0x09),          // Tab
    Key(16, 0x10, 0x51),          // Q
    Key(17, 0x11, 0x57),          // W
    Key(18, 0x12, 0x45),          // E
    Key(19, 0x13, 0x52),          // R
    Key(20, 0x14, 0x54),          // T
    Key(21, 0x15, 0x59),          // Y
    Key(22, 0x16, 0x55),          // U
    Key(23, 0x17, 0x49),          // I
    Key(24, 0x18, 0x4F),          // O
    Key(25, 0x19, 0x50),          // P
    Key(26, 0x1A, 0xDB),          // left bracket
    Key(27, 0x1B, 0xDD),          // right bracket
    Key(28, 0x1C, 0x0D),          // Enter
    Key(29, 0x1D, 0xA2),          // Left Ctrl
    Key(30, 0x1E, 0x41),          // A
    Key(31, 0x1F, 0x53),          // S
    Key(32, 0x20, 0x44),          // D
    Key(33, 0x21, 0x46),          // F
    Key(34, 0x22, 0x47),          // G
    Key(35, 0x23, 0x48),          // H
    Key(36, 0x24, 0x4A),          // J
    Key(37, 0x25, 0x4B),          // K
    Key(38, 0x26, 0x4C),          // L
    Key(39, 0x27, 0xBA),          // semicolon
    Key(40, 0x28, 0xDE),          // apostrophe
    Key(41, 0x29, 0xC0),          // grave
    Key(42, 0x2A, 0xA0),          // Left Shift
    Key(43, 0x2B, 0xDC),          // backslash
    Key(44, 0x2C, 0x5A),          // Z
    Key(45, 0x2D, 0x58),          // X
    Key(46, 0x2E, 0x43),          // C
    Key(47, 0x2F, 0x56),          // V
    Key(48, 0x30, 0x42),          // B
    Key(49, 0x31, 0x4E),          // N
    Key(50, 0x32, 0x4D),          // M
    Key(51, 0x33, 0xBC),          // comma
    Key(52, 0x34, 0xBE),          // period
    Key(53, 0x35, 0xBF),          // slash
    Key(54, 0x36, 0xA1),          // Right Shift
    Key(55, 0x37, 0x6A),          // keypad *
    Key(56, 0x38, 0xA4),          // Left Alt
    Key(57, 0x39, 0x20),          // Space
    Key(58, 0x3A, 0x14),          // Caps Lock
    Key(59, 0x3B, 0x70),          // F1
    Key(60, 0x3C, 0x71),          // F2
    Key(61, 0x3D, 0x72),          // F3
    Key(62, 0x3E, 0x73),          // F4
    Key(63, 0x3F, 0x74),          // F5
    Key(64, 0x40, 0x75),          // F6
    Key(65, 0x41, 0x76),          // F7
    Key(66, 0x42, 0x77),          // F8
    Key(67, 0x43, 0x78),          // F9
    Key(68, 0x44, 0x79),          // F10
    Key(69, 0x145, 0x90),         // Num Lock: shares 0x45 with Pause, Windows marks it extended
    Key(70, 0x46, 0x91),          // Scroll Lock
    Pad(71, 0x47, 0x67, 0x24),    // keypad 7 / Home
    Pad(72, 0x48, 0x68, 0x26),    // keypad 8 / Up
    Pad(73, 0x49, 0x69, 0x21),    // keypad 9 / Page Up
    Key(74, 0x4A, 0x6D),          // keypad -
    Pad(75, 0x4B, 0x64, 0x25),    // keypad 4 / Left
    Pad(76, 0x4C, 0x65, 0x0C),    // keypad 5 / Clear
    Pad(77, 0x4D, 0x66, 0x27),    // keypad 6 / Right
    Key(78, 0x4E, 0x6B),          // keypad +
    Pad(79, 0x4F, 0x61, 0x23),    // keypad 1 / End
    Pad(80, 0x50, 0x62, 0x28),    // keypad 2 / Down
    Pad(81, 0x51, 0x63, 0x22),    // keypad 3 / Page Down
    Pad(82, 0x52, 0x60, 0x2D),    // keypad 0 / Insert
    Pad(83, 0x53, 0x6E, 0x2E),    // keypad point / Delete
    Key(86, 0x56, 0xE2),          // the extra key left of Z
    Key(87, 0x57, 0x7A),          // F11
    Key(88, 0x58, 0x7B),          // F12
    Key(89, 0x73, 0xC1),          // Ro, ABNT slash
    Key(92, 0x79, 0xFF),          // Henkan
    Key(93, 0x70, 0xFF),          // Katakana/Hiragana
    Key(94, 0x7B, 0xEB),          // Muhenkan
    Key(96, 0x11C, 0x0D),         // keypad Enter
    Key(97, 0x11D, 0xA3),         // Right Ctrl
    Key(98, 0x135, 0x6F),         // keypad /
    Key(99, 0x137, 0x2C),         // Print Screen
    Key(100, 0x138, 0xA5),        // Right Alt
    Key(102, 0x147, 0x24),        // Home
    Key(103, 0x148, 0x26),        // Up
    Key(104, 0x149, 0x21),        // Page Up
    Key(105, 0x14B, 0x25),        // Left
    Key(106, 0x14D, 0x27),        // Right
    Key(107, 0x14F, 0x23),        // End
    Key(108, 0x150, 0x28),        // Down
    Key(109, 0x151, 0x22),        // Page Down
    Key(110, 0x152, 0x2D),        // Insert
    Key(111, 0x153, 0x2E),        // Delete
    Key(113, 0x120, 0xAD),        // mute
    Key(114, 0x12E, 0xAE),        // volume down
    Key(115, 0x130, 0xAF),        // volume up
    Key(116, 0x15E, 0xFF),        // power
    Key(119, 0x45, 0x13),         // Pause
    Key(121, 0x7E, 0xC2),         // keypad comma, ABNT keypad point
    Key(122, 0x72, 0xFF),         // Hangeul
    Key(123, 0x71, 0xE9),         // Hanja
    Key(124, 0x7D, 0xFF),         // Yen
    Key(125, 0x15B, 0x5B),        // Left Windows
    Key(126, 0x15C, 0x5C),        // Right Windows
    Key(127, 0x15D, 0x5D),        // Application
    Key(128, 0x168, 0xA9),        // browser stop
    Key(140, 0x121, 0xB7),        // calculator
    Key(142, 0x15F, 0x5F),        // sleep
    Key(143, 0x163, 0xFF),        // wake up
    Key(155, 0x16C, 0xB4),        // mail
    Key(156, 0x166, 0xAB),        // favourites
    Key(157, 0x16B, 0xB6),        // my computer
    Key(158, 0x16A, 0xA6),        // browser back
    Key(159, 0x169, 0xA7),        // browser forward
    Key(163, 0x119, 0xB0),        // next track
    Key(164, 0x122, 0xB3),        // play/pause
    Key(165, 0x110, 0xB1),        // previous track
    Key(166, 0x124, 0xB2),        // stop
    Key(172, 0x132, 0xAC),        // home page
    Key(173, 0x167, 0xA8),        // refresh
    Key(183, 0x64, 0x7C),         // F13
    Key(215, 0x16C, 0xB4),        // e-mail, a second mail key
    Key(217, 0x165, 0xAA),        // search
    Key(226, 0x16D, 0xB5),        // media player
    Key(0x19B, 0x146, 0x03),      // Break
};
// clang-format on

constexpr bool IsSorted() {
  for (std::size_t i = 1; i < kEvdevKeys.size(); ++i) {
    if (kEvdevKeys[i - 1].evdev_code >= kEvdevKeys[i].evdev_code) return false;
  }
  return true;
}
static_assert(IsSorted(), "the evdev table must stay sorted and free of duplicates");

const EvdevKey* FindEvdevKey(uint16_t evdev_code) {
  const auto found =
      std::lower_bound(kEvdevKeys.begin(), kEvdevKeys.end(), evdev_code,
                       [](const EvdevKey& key, uint16_t code) { return key.evdev_code < code; });
  return found != kEvdevKeys.end() && found->evdev_code == evdev_code ? &*found : nullptr;
}

const EvdevKey* ApplyModifiers(const EvdevKey* key, const KeyEventState& state) {
  if (key->evdev_code == kEvdevSysRq && state.alt_down) return &kSysReq;
  if (key->evdev_code == kEvdevPause && state.ctrl_down) return &kBreak;
  return key;
}

}  // namespace

uint32_t MakeKeyLParam(uint16_t scan, bool release) {
  uint32_t lparam = 1;  // repeat count
  lparam |= static_cast<uint32_t>(scan & 0xFF) << 16;
  if ((scan & kExtended) != 0) lparam |= 1u << 24;
  if (release) lparam |= (1u << 30) | (1u << 31);
  return lparam;
}

std::optional<KeyMessage> KeyMessageFromEvdev(uint16_t evdev_code, const KeyEventState& state) {
  const EvdevKey* key = FindEvdevKey(evdev_code);
  if (key == nullptr) return std::nullopt;
  key = ApplyModifiers(key, state);
  const uint8_t vk = state.num_lock_on ? key->vk : key->vk_num_lock_off;
  return KeyMessage{vk, MakeKeyLParam(key->scan, state.release)};
}

std::optional<KeyMessage> KeyMessageFromXkbScanCode(uint32_t native_scan_code,
                                                    const KeyEventState& state) {
  if (native_scan_code < kXkbScanCodeOffset || native_scan_code - kXkbScanCodeOffset > 0xFFFF)
    return std::nullopt;
  return KeyMessageFromEvdev(static_cast<uint16_t>(native_scan_code - kXkbScanCodeOffset), state);
}

KeyMessage KeyMessageFromWindows(uint32_t vk, uint32_t scan_code, bool extended, bool release) {
  const auto scan = static_cast<uint16_t>((scan_code & 0xFF) | (extended ? kExtended : 0));
  return {vk & 0xFF, MakeKeyLParam(scan, release)};
}

std::span<const EvdevKey> EvdevKeys() {
  return kEvdevKeys;
}

}  // namespace quorlin::platform
