#pragma once
// The notification icons the skin generator draws and the main window
// shows: no keyboard (128), keyboard present (141) and the keyboard's
// alternate state between its events 0x1811 and 0x1810 (142). Header only:
// the generator uses it before the window's library exists.

#include <string>

namespace quorlin::ui::tray_icons {

inline constexpr int kNoKeyboard = 128;
inline constexpr int kKeyboardPresent = 141;
inline constexpr int kAlternate = 142;

// Drawn at these sizes; the window hands them all to the tray.
inline constexpr int kSizes[] = {16, 22, 32, 48, 64};

inline std::string FileName(int icon_id, int size) {
  return "tray" + std::to_string(icon_id) + "_" + std::to_string(size) + ".png";
}

}  // namespace quorlin::ui::tray_icons
