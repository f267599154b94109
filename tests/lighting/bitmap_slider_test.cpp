#include "lighting/bitmap_slider.h"

#include <gtest/gtest.h>

namespace quorlin::lighting {
namespace {

constexpr int kWidth = 120;

TEST(BitmapSlider, PixelToPosition) {
  // (x + 10) / 120 × 5, truncated and kept in 0..5.
  for (auto [x, pos] : {std::pair{-50, 0},
                        {0, 0},
                        {13, 0},
                        {14, 1},
                        {37, 1},
                        {38, 2},
                        {62, 3},
                        {109, 4},
                        {110, 5},
                        {500, 5}}) {
    EXPECT_EQ(SliderPositionAt(x, kWidth), pos) << x;
  }
  EXPECT_EQ(SliderPixel(2, kWidth), 48);
}

TEST(BitmapSlider, PressMovesUnlessOnTheCurrentPixelAndDragFollows) {
  const SliderState at2{2, false, false};
  const SliderOutcome same = SliderPress(at2, SliderPixel(2, kWidth), kWidth);
  EXPECT_FALSE(same.posted);
  EXPECT_TRUE(same.state.dragging);
  EXPECT_TRUE(same.state.armed);

  const SliderOutcome press = SliderPress(at2, 100, kWidth);
  EXPECT_EQ(press.posted, 4);
  // A move that lands in the same step is posted again: the pixel differs.
  EXPECT_EQ(SliderDrag(press.state, 101, kWidth).posted, 4);
  EXPECT_EQ(SliderDrag(press.state, SliderPixel(4, kWidth), kWidth).posted, std::nullopt);
  const SliderOutcome drag = SliderDrag(press.state, 0, kWidth);
  EXPECT_EQ(drag.posted, 0);
  const SliderOutcome release = SliderRelease(drag.state);
  EXPECT_EQ(release.posted, 0);
  EXPECT_FALSE(release.state.dragging);
  EXPECT_FALSE(SliderDrag(release.state, 100, kWidth).posted) << "no drag after release";
}

TEST(BitmapSlider, KeysAlwaysPostWithinTheRange) {
  struct Case {
    int from;
    SliderKey key;
    int to;
  };
  for (const Case c :
       {Case{3, SliderKey::kLeft, 2}, Case{3, SliderKey::kUp, 2}, Case{3, SliderKey::kRight, 4},
        Case{3, SliderKey::kDown, 4}, Case{0, SliderKey::kLeft, 0}, Case{5, SliderKey::kDown, 5},
        Case{3, SliderKey::kPageUp, 0}, Case{3, SliderKey::kPageDown, 5},
        Case{3, SliderKey::kHome, 0}, Case{1, SliderKey::kEnd, 5}}) {
    EXPECT_EQ(SliderKeyPress({c.from, false, false}, c.key).posted, c.to)
        << c.from << " key " << static_cast<int>(c.key);
  }
}

TEST(BitmapSlider, WheelOnlyBetweenPressAndLeave) {
  const SliderState idle{3, false, false};
  EXPECT_FALSE(SliderWheel(idle, 120).posted);
  const SliderState armed = SliderRelease(SliderPress(idle, 62, kWidth).state).state;
  EXPECT_EQ(SliderWheel(armed, 120).posted, 2);
  EXPECT_EQ(SliderWheel(armed, -120).posted, 4);
  EXPECT_EQ(SliderWheel(armed, -15).posted, 4);
  EXPECT_EQ(SliderWheel({0, false, true}, 120).posted, 0);
  EXPECT_FALSE(SliderWheel(SliderLeave(armed).state, -120).posted);
}

}  // namespace
}  // namespace quorlin::lighting
