#include "platform/key_event_translation.h"

#include <gtest/gtest.h>

#include <set>

#include "keys/key_catalogue.h"
#include "keys/vk_map.h"

namespace quorlin::keys {
namespace {

using platform::KeyEventState;

// evdev codes of keys whose events the keyboard state rewrites.
constexpr uint16_t kEvdevLeftShift = 42, kEvdevRightShift = 54, kEvdevLeftMeta = 125,
                   kEvdevRightMeta = 126, kEvdevSysRq = 99, kEvdevPause = 119, kEvdevNumLock = 69;

KeyCode Captured(uint16_t evdev, KeyEventState state = {}) {
  const auto message = platform::KeyMessageFromEvdev(evdev, state);
  if (!message) return kNoKey;
  return KeyFromKeyMessage(message->vk, message->lparam);
}

bool IsPointerOrOfficeFunction(KeyCode code) {
  return code >= 0x016E && code <= 0x017E;
}

TEST(KeyEventTranslation, EveryKeyboardKeyOfTheCatalogueCanBeCaptured) {
  std::set<KeyCode> captured;
  for (const platform::EvdevKey& key : platform::EvdevKeys()) {
    for (bool num_lock : {true, false}) {
      const KeyCode code = Captured(key.evdev_code, {.num_lock_on = num_lock});
      EXPECT_EQ(code, key.scan) << "evdev " << key.evdev_code << " num lock " << num_lock;
      captured.insert(code);
    }
  }
  captured.insert(Captured(kEvdevSysRq, {.alt_down = true}));
  captured.insert(Captured(kEvdevPause, {.ctrl_down = true}));
  for (int index = 0; index < kCatalogueSize; ++index) {
    const KeyCode code = KeyCodeFromIndex(index);
    if (!IsInUse(Catalogue()[static_cast<std::size_t>(index)])) continue;
    // Pointer functions and office functions come from no keyboard; the
    // second Right Shift entry is reported as the first.
    if (IsPointerOrOfficeFunction(code) || code == 0x0161 || code == 0x0162 || code == 0x0136) {
      continue;
    }
    EXPECT_TRUE(captured.contains(code)) << std::hex << code;
  }
}

TEST(KeyEventTranslation, KeysThatDependOnState) {
  struct Case {
    uint16_t evdev;
    KeyEventState state;
    KeyCode key;
    uint32_t vk;
  };
  for (const Case& c : {
           Case{71, {.num_lock_on = true}, 0x0047, 0x67},    // keypad 7
           Case{71, {.num_lock_on = false}, 0x0047, 0x24},   // ... as Home
           Case{76, {.num_lock_on = false}, 0x004C, 0x0C},   // keypad 5 as Clear
           Case{83, {.num_lock_on = false}, 0x0053, 0x2E},   // keypad point as Delete
           Case{102, {.num_lock_on = false}, 0x0147, 0x24},  // Home stays Home
           Case{96, {.num_lock_on = false}, 0x011C, 0x0D},   // keypad Enter
           Case{kEvdevNumLock, {}, 0x0145, 0x90},
           Case{kEvdevLeftShift, {}, 0x002A, 0xA0},
           Case{kEvdevRightShift, {}, 0x0036, 0xA1},
           Case{kEvdevLeftMeta, {}, 0x015B, 0x5B},
           Case{kEvdevRightMeta, {}, 0x015C, 0x5C},
           Case{kEvdevSysRq, {}, 0x0137, 0x2C},
           Case{kEvdevSysRq, {.alt_down = true}, 0x0054, 0x2C},
           Case{kEvdevPause, {}, 0x0045, 0x13},
           Case{kEvdevPause, {.ctrl_down = true}, 0x0146, 0x03},
       }) {
    const auto message = platform::KeyMessageFromEvdev(c.evdev, c.state);
    ASSERT_TRUE(message) << c.evdev;
    EXPECT_EQ(message->vk, c.vk) << c.evdev;
    EXPECT_EQ(KeyFromKeyMessage(message->vk, message->lparam), c.key) << c.evdev;
  }
}

TEST(KeyEventTranslation, LParamCarriesScanExtendedAndRelease) {
  EXPECT_EQ(platform::MakeKeyLParam(0x01E, false), 0x001E0001u);
  EXPECT_EQ(platform::MakeKeyLParam(0x147, false), 0x01470001u);
  EXPECT_EQ(platform::MakeKeyLParam(0x147, true), 0xC1470001u);
  const auto released = platform::KeyMessageFromEvdev(30, {.release = true});
  ASSERT_TRUE(released);
  EXPECT_EQ(released->lparam, 0xC01E0001u);
}

TEST(KeyEventTranslation, XkbScanCodesAreEvdevPlusEight) {
  EXPECT_EQ(platform::KeyMessageFromXkbScanCode(30 + 8, {}), platform::KeyMessageFromEvdev(30, {}));
  EXPECT_FALSE(platform::KeyMessageFromXkbScanCode(7, {}));
  EXPECT_FALSE(platform::KeyMessageFromXkbScanCode(0x10007, {}));
  EXPECT_FALSE(platform::KeyMessageFromEvdev(0, {}));
  EXPECT_FALSE(platform::KeyMessageFromEvdev(0x110, {}));  // a mouse button
}

TEST(KeyEventTranslation, WindowsPairsPassThrough) {
  struct Case {
    uint32_t vk;
    uint32_t scan;
    bool extended;
    KeyCode key;
  };
  for (const Case& c : {Case{0xA1, 0x36, false, 0x0036}, Case{0x10, 0x36, false, 0x0036},
                        Case{0x2C, 0x37, true, 0x0137}, Case{0x2C, 0x54, false, 0x0054},
                        Case{0x13, 0x45, false, 0x0045}, Case{0x90, 0x45, true, 0x0145},
                        Case{0x03, 0x46, true, 0x0146}, Case{0x24, 0x47, false, 0x0047},
                        Case{0x5C, 0x5C, true, 0x015C}, Case{0x41, 0x00, false, 0x001E}}) {
    const platform::KeyMessage message =
        platform::KeyMessageFromWindows(c.vk, c.scan, c.extended, false);
    EXPECT_EQ(KeyFromKeyMessage(message.vk, message.lparam), c.key) << std::hex << c.vk;
  }
}

}  // namespace
}  // namespace quorlin::keys
