#pragma once
// The lighting panel's state: one copy for the program, filled from the
// Lighting record of the profile slot being edited and changed by the panel's
// controls. The preview reads mode, direction, colourful and main_colour.

#include <cstdint>

#include "lighting/colour.h"

namespace quorlin::lighting {

inline constexpr int kUserMode = 20;
inline constexpr uint8_t kDirectionForward = 255;
inline constexpr uint8_t kDirectionBackward = 0;

enum class PaintTool : uint8_t { kBrush = 0, kBaseBrush = 1 };

struct PanelState {
  int mode = 0;
  int brightness = 0;     // 0..5
  int speed = 0;          // 0..5; the speed slider shows 5 - speed
  uint8_t direction = 0;  // 0 or 255
  // The single colour twice: the main group's button and the solid group's.
  Rgb main_colour{};
  Rgb solid_colour{};
  bool colourful = false;  // multi-colour
  int report_rate = 0;     // 0..3
  int swatch = 0;          // mode 17: 0 red, 1 yellow, 2 green, 3 blue
  // Carried for the keyboard; no control changes them.
  bool trigger_single = false;
  bool trigger_grid = false;
  Rgb colour2{};
  bool colourful2 = false;
  Rgb colour3{};
  bool colourful3 = false;
  bool option7 = false;

  // The light switch: the lighting view is open.
  bool view_open = false;

  // User mode (mode 20).
  PaintTool tool = PaintTool::kBrush;
  Rgb paint_colour{};
  Rgb base_colour{};
  int user_slot = 0;  // 0..2 (0..9 after a reset reload)

  // Set by every mode selection; the preview clears it when it restarts.
  bool preview_restart = false;

  friend bool operator==(const PanelState&, const PanelState&) = default;
};

}  // namespace quorlin::lighting
