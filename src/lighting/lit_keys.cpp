#include "lighting/lit_keys.h"

namespace quorlin::lighting {

namespace {

// clang-format off
constexpr std::array<int, kLitKeyCount> kLeds = {
    // A .. Z
    64, 90, 88, 66, 45, 67, 68, 69, 50, 70, 71, 72, 92,
    91, 51, 52, 43, 46, 65, 47, 49, 89, 44, 87, 48, 86,
    // 1 .. 9, 0
    22, 23, 24, 25, 26, 27, 28, 29, 30, 31,
    // Enter, Esc, Backspace, Tab, Space
    55, 0, 34, 42, 108,
    // - = [ ] \ ; ' ` , . /
    32, 33, 53, 54, 76, 73, 74, 21, 93, 94, 95,
    // F1 .. F12
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
    // Print Screen, Pause, Insert, Delete, Home, End, Page Up, Page Down,
    // Up, Down, Left, Right, Scroll Lock
    14, 16, 35, 56, 36, 57, 37, 58, 99, 120, 119, 121, 15,
    // Caps Lock, Application, Ctrl L/R, Shift L/R, Alt L/R, Windows L/R
    63, 111, 105, 113, 84, 97, 107, 109, 106, 112,
    // keypad 1 2 3 4 5 6 7 8 9 0, Num Lock, Enter . / * - +
    101, 102, 103, 80, 81, 82, 59, 60, 61, 123, 38, 104, 124,
    39, 40, 41, 62,
    // extra key left of Z, extra key left of Right Shift
    85, 96,
    // the G keys, Fn
    kGKeysLed, kFnLed,
};
// clang-format on

}  // namespace

const std::array<int, kLitKeyCount>& LitKeyLeds() {
  return kLeds;
}

std::optional<int> LedOf(int lit_key) {
  if (!IsLitKey(lit_key)) return std::nullopt;
  return kLeds[static_cast<std::size_t>(lit_key)];
}

}  // namespace quorlin::lighting
