#include "lighting/panel_view.h"

#include <algorithm>

namespace quorlin::lighting {

namespace {

constexpr int kSliderMax = 5;

struct PicturePair {
  const char* left;
  const char* right;
};

PicturePair DirectionPictures(int mode, uint8_t direction) {
  // Any non-zero direction runs the way 255 does.
  const bool forward = direction != kDirectionBackward;
  if (mode == 12) {
    return forward ? PicturePair{"updown.bmp", "downup.bmp"}
                   : PicturePair{"upup.bmp", "downdown.bmp"};
  }
  if (mode == 18) {
    return forward ? PicturePair{"kuosandown.bmp", "julong.bmp"}
                   : PicturePair{"kuosan.bmp", "julongdown.bmp"};
  }
  return forward ? PicturePair{"leftdown.bmp", "rightup.bmp"}
                 : PicturePair{"leftup.bmp", "rightdown.bmp"};
}

std::array<std::string, 4> SwatchPictures(int chosen) {
  constexpr std::array<const char*, 4> kNames = {"hong", "huang", "lv", "lan"};
  std::array<std::string, 4> out;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    out[i] = std::string(kNames[i]) + (static_cast<int>(i) == chosen ? "ok.bmp" : ".bmp");
  }
  return out;
}

bool ShowsPerKeyColours(const LightingState& state) {
  return state.panel.view_open && state.panel.mode == kUserMode && ListsUserMode(state.modes);
}

std::array<Rgb, kLitKeyCount> LitKeyColours(const LightingState& state) {
  std::array<Rgb, kLitKeyCount> out{};
  const auto& leds = LitKeyLeds();
  for (std::size_t k = 0; k < leds.size(); ++k) {
    out[k] = ColourAt(state.key_colours, state.edited_slot, leds[k]);
  }
  return out;
}

void PresentVisibility(const PanelState& panel, PanelView& v) {
  const ModeBehaviour b = BehaviourOf(panel.mode);
  v.direction_placement = b.placement;
  if (!panel.view_open) return;
  // The list stays reachable whatever the mode, so a mode without controls
  // of its own can still be left.
  v.mode_list_visible = true;
  v.brightness_visible = b.brightness;
  v.speed_visible = b.speed;
  v.direction_visible = b.direction;
  v.colour_group = b.colour_group;
}

}  // namespace

std::string BrightnessPicture(int brightness) {
  return std::to_string(std::clamp(brightness, 0, kSliderMax)) + ".bmp";
}

int SpeedPosition(int speed) {
  return kSliderMax - std::clamp(speed, 0, kSliderMax);
}

std::string SpeedPicture(int position) {
  return std::to_string(6 + std::clamp(position, 0, kSliderMax)) + ".bmp";
}

PanelView PresentPanel(const LightingState& state) {
  const PanelState& panel = state.panel;
  PanelView v;
  v.modes = state.modes.modes;
  v.selected_position = PositionOfMode(state.modes, panel.mode).value_or(-1);
  PresentVisibility(panel, v);

  v.report_rate_checked = std::clamp(panel.report_rate, 0, 3);
  v.brightness_position = std::clamp(panel.brightness, 0, kSliderMax);
  v.brightness_picture = BrightnessPicture(panel.brightness);
  v.speed_position = SpeedPosition(panel.speed);
  v.speed_picture = SpeedPicture(v.speed_position);

  const PicturePair dir = DirectionPictures(panel.mode, panel.direction);
  v.direction_left_picture = dir.left;
  v.direction_right_picture = dir.right;

  v.main_colour = panel.main_colour;
  v.solid_colour = panel.solid_colour;
  v.multi_colour_picture = panel.colourful ? "sjsdown.bmp" : "sjsup.bmp";
  v.swatch_pictures = SwatchPictures(panel.swatch);
  v.light_switch_picture = panel.view_open ? "dengdown.bmp" : "dengup.bmp";
  v.view_open = panel.view_open;

  v.user_slot_names = state.user_slot_names;
  v.user_slot = panel.user_slot;
  v.paint_colour = panel.paint_colour;
  v.base_colour = panel.base_colour;
  const bool base_brush = panel.tool == PaintTool::kBaseBrush;
  v.brush_picture = base_brush ? "user1up.bmp" : "user1down.bmp";
  v.base_brush_picture = base_brush ? "user2down.bmp" : "user2up.bmp";

  if (ShowsPerKeyColours(state)) {
    v.key_frames = KeyFrames::kPerKeyColours;
    v.key_colours = LitKeyColours(state);
  } else {
    v.key_frames = panel.view_open ? KeyFrames::kPreview : KeyFrames::kOff;
  }
  return v;
}

}  // namespace quorlin::lighting
