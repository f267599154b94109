// Keypad keys follow Num Lock: the key symbol X sends tells the state, even
// when the modifier mask says otherwise (it varies between X11, Wayland and
// remote desktops). Every keypad key is checked, the first and the last of
// the range included, so the scan-code offset cannot drift unnoticed.

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/key_event_translation.h"
#include "ui/editors/key_input.h"

namespace quorlin::ui {
namespace {

constexpr uint32_t kNumLockMask = 0x10;

struct KeypadKey {
  uint16_t evdev;
  uint32_t sym_on;   // the key symbol with Num Lock on
  uint32_t sym_off;  // and off
  uint8_t vk_on;
  uint8_t vk_off;
};

TEST(KeyInput, KeypadKeysFollowNumLockFromTheirKeySymbol) {
  const KeypadKey keys[] = {
      {71, 0xFFB7, 0xFF95, 0x67, 0x24},  // 7 / Home
      {72, 0xFFB8, 0xFF97, 0x68, 0x26},  // 8 / Up
      {73, 0xFFB9, 0xFF9A, 0x69, 0x21},  // 9 / Page Up
      {75, 0xFFB4, 0xFF96, 0x64, 0x25},  // 4 / Left
      {76, 0xFFB5, 0xFF9D, 0x65, 0x0C},  // 5 / Clear
      {77, 0xFFB6, 0xFF98, 0x66, 0x27},  // 6 / Right
      {79, 0xFFB1, 0xFF9C, 0x61, 0x23},  // 1 / End
      {80, 0xFFB2, 0xFF99, 0x62, 0x28},  // 2 / Down
      {81, 0xFFB3, 0xFF9B, 0x63, 0x22},  // 3 / Page Down
      {82, 0xFFB0, 0xFF9E, 0x60, 0x2D},  // 0 / Insert
      {83, 0xFFAE, 0xFF9F, 0x6E, 0x2E},  // . / Delete
  };
  int tried = 0;
  for (const KeypadKey& k : keys) {
    for (const bool on : {true, false}) {
      // The modifier mask claims the opposite of the key symbol.
      const QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, k.evdev + 8u,
                            on ? k.sym_on : k.sym_off, on ? 0 : kNumLockMask);
      const auto input = KeyInputFromEvent(event);
      ASSERT_TRUE(input.has_value()) << k.evdev;
      EXPECT_EQ(input->message.vk, on ? k.vk_on : k.vk_off)
          << "evdev " << k.evdev << (on ? " with" : " without") << " Num Lock";
      // The table of the platform layer agrees.
      for (const platform::EvdevKey& row : platform::EvdevKeys()) {
        if (row.evdev_code == k.evdev) {
          EXPECT_EQ(on ? row.vk : row.vk_num_lock_off, input->message.vk) << k.evdev;
        }
      }
      ++tried;
    }
  }
  EXPECT_EQ(tried, 22);
}

}  // namespace
}  // namespace quorlin::ui
