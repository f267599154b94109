#pragma once
// What the lighting panel and the keyboard view show for a lighting state:
// which control groups are visible, which picture each picture control
// holds, and which colours the key buttons carry. The user interface draws
// this and nothing else, so every panel action can be checked without a
// window.

#include <array>
#include <string>
#include <vector>

#include "lighting/colour.h"
#include "lighting/lighting_state.h"
#include "lighting/lit_keys.h"
#include "lighting/mode_behaviour.h"
#include "lighting/panel_state.h"

namespace quorlin::lighting {

// What the key buttons' colour frames do.
enum class KeyFrames {
  kOff,           // lighting view closed: the keys show their assignment marks
  kPreview,       // lighting view open: the preview animates the frames
  kPerKeyColours  // user mode: each lit key shows its own colour
};

struct PanelView {
  // Mode list: mode numbers in list order and the current mode's position
  // (-1 when the current mode is not listed).
  std::vector<int> modes;
  int selected_position = -1;

  // Visibility; everything is hidden while the lighting view is closed.
  bool mode_list_visible = false;
  bool brightness_visible = false;
  bool speed_visible = false;
  bool direction_visible = false;
  ColourGroup colour_group = ColourGroup::kNone;  // the one group shown, if any
  DirectionPlacement direction_placement = DirectionPlacement::kPlain;

  int report_rate_checked = 0;  // 0..3: report1..report4

  int brightness_position = 0;
  std::string brightness_picture;
  int speed_position = 0;
  std::string speed_picture;

  std::string direction_left_picture;   // value 255
  std::string direction_right_picture;  // value 0

  Rgb main_colour{};
  Rgb solid_colour{};
  std::string multi_colour_picture;  // both switches
  std::array<std::string, 4> swatch_pictures;

  std::string light_switch_picture;
  bool view_open = false;  // the lighting settings show (the switch is down)

  // User-mode controls.
  std::vector<std::string> user_slot_names;
  int user_slot = 0;
  Rgb paint_colour{};
  Rgb base_colour{};
  std::string brush_picture;
  std::string base_brush_picture;

  KeyFrames key_frames = KeyFrames::kOff;
  // Meaningful with kPerKeyColours: by lit key (the nine G keys share one).
  std::array<Rgb, kLitKeyCount> key_colours{};
};

PanelView PresentPanel(const LightingState& state);

// Picture names, shared with the panel's picture loading.
std::string BrightnessPicture(int brightness);
std::string SpeedPicture(int position);
int SpeedPosition(int speed);

}  // namespace quorlin::lighting
