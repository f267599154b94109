#include "lighting/panel_view.h"

#include <gtest/gtest.h>

namespace quorlin::lighting {
namespace {

LightingState OpenIn(int mode, uint8_t direction = 0) {
  LightingState s;
  for (int m = 1; m <= 20; ++m) s.modes.modes.push_back(m);
  s.panel.mode = mode;
  s.panel.direction = direction;
  s.panel.view_open = true;
  return s;
}

TEST(PanelView, ControlGroupsByMode) {
  struct Case {
    int mode;
    bool speed;
    bool direction;
    ColourGroup group;
    DirectionPlacement placement;
  };
  using G = ColourGroup;
  using P = DirectionPlacement;
  for (const Case c :
       {Case{1, true, true, G::kMain, P::kSet2}, Case{3, true, true, G::kMain, P::kSet2},
        Case{4, true, false, G::kNone, P::kPlain}, Case{7, true, false, G::kMain, P::kPlain},
        Case{6, false, false, G::kSolid, P::kPlain}, Case{12, true, true, G::kNone, P::kSet3},
        Case{17, false, false, G::kSwatches, P::kPlain}, Case{18, false, true, G::kNone, P::kPlain},
        Case{20, false, false, G::kUser, P::kPlain}}) {
    const PanelView v = PresentPanel(OpenIn(c.mode));
    EXPECT_TRUE(v.brightness_visible) << c.mode;
    EXPECT_EQ(v.speed_visible, c.speed) << c.mode;
    EXPECT_EQ(v.direction_visible, c.direction) << c.mode;
    EXPECT_EQ(v.colour_group, c.group) << c.mode;
    EXPECT_EQ(v.direction_placement, c.placement) << c.mode;
    EXPECT_EQ(v.selected_position, c.mode - 1);
  }
}

TEST(PanelView, DirectionPictures) {
  struct Case {
    int mode;
    uint8_t direction;
    const char* left;
    const char* right;
  };
  for (const Case c :
       {Case{12, 255, "updown.bmp", "downup.bmp"}, Case{12, 0, "upup.bmp", "downdown.bmp"},
        Case{18, 255, "kuosandown.bmp", "julong.bmp"}, Case{18, 0, "kuosan.bmp", "julongdown.bmp"},
        Case{1, 255, "leftdown.bmp", "rightup.bmp"}, Case{1, 0, "leftup.bmp", "rightdown.bmp"}}) {
    const PanelView v = PresentPanel(OpenIn(c.mode, c.direction));
    EXPECT_EQ(v.direction_left_picture, c.left) << c.mode << ' ' << int{c.direction};
    EXPECT_EQ(v.direction_right_picture, c.right) << c.mode << ' ' << int{c.direction};
  }
}

TEST(PanelView, SlidersShowOutOfRangeValuesAtTheirEnds) {
  LightingState s = OpenIn(1);
  s.panel.brightness = 9;
  s.panel.speed = 200;
  const PanelView v = PresentPanel(s);
  EXPECT_EQ(v.brightness_picture, "5.bmp");
  EXPECT_EQ(v.speed_position, 0);
  EXPECT_EQ(v.speed_picture, "6.bmp");
}

TEST(PanelView, UserModeNeedsTheModeListed) {
  LightingState s = OpenIn(20);
  EXPECT_EQ(PresentPanel(s).key_frames, KeyFrames::kPerKeyColours);
  s.modes.modes.pop_back();
  EXPECT_EQ(PresentPanel(s).key_frames, KeyFrames::kPreview);
  EXPECT_EQ(PresentPanel(s).selected_position, -1);
}

}  // namespace
}  // namespace quorlin::lighting
