// Frames of every effect checked against values worked out by hand from the
// tables. The single colour is orange (255, 128, 0) so dimming shows in two
// channels.

#include <gtest/gtest.h>

#include <set>

#include "lighting/preview_key_layout.h"
#include "preview_test_support.h"

namespace quorlin::lighting {
namespace {

constexpr int kEsc = 0, kF1 = 1, kF4 = 4, kF6 = 6, kF7 = 7, kF10 = 10, kF12 = 12, kPrintScreen = 14,
              kScrollLock = 15, kPause = 16, kGrave = 21, kOne = 22, kNine = 30, kEquals = 33,
              kBackspace = 34, kInsert = 35, kTab = 42, kW = 44, kO = 51, kKeypadPlus = 62,
              kCaps = 63, kBackslash = 76, kLeftShift = 84, kN = 91, kSlash = 95,
              kKeypadEnter = 104, kLeftCtrl = 105, kSpace = 108, kRightAlt = 109, kFn = 110;

struct FrameCase {
  const char* what;
  int mode;
  bool colourful;
  uint8_t direction;
  int tick;
  int led;
  Rgb expected;
};

const FrameCase kPhaseCases[] = {
    {"swell wave, column 2", 1, false, 255, 0, kEsc, {90, 45, 0}},
    {"swell wave forward", 1, false, 255, 1, kEsc, {137, 68, 0}},
    {"swell wave backward", 1, false, 0, 1, kEsc, {48, 24, 0}},
    {"wide key takes its right column", 1, false, 255, 0, kBackspace, {59, 29, 0}},
    {"rainbow wave", 1, true, 255, 0, kEsc, {255, 145, 0}},
    {"rainbow wave forward", 1, true, 255, 1, kEsc, {255, 217, 0}},
    {"rainbow wave backward", 1, true, 0, 1, kEsc, {255, 73, 0}},
    {"pulse, column 2", 2, false, 255, 0, kEsc, {114, 57, 0}},
    {"pulse tail, column 15", 2, false, 255, 0, kBackspace, {3, 1, 0}},
    {"pulse peak on column 0", 2, false, 0, 4, kLeftShift, {255, 128, 0}},
    {"pulse offsets backward", 2, false, 0, 4, kGrave, {134, 67, 0}},
    {"pulse offsets forward", 2, false, 255, 4, kGrave, {221, 110, 0}},
    {"pulse rainbow forward", 2, true, 255, 1, kEsc, {255, 113, 0}},
    {"pulse rainbow backward", 2, true, 0, 1, kEsc, {255, 49, 0}},
    {"path flow starts at Pause", 3, true, 255, 0, kPause, {255, 1, 0}},
    {"path flow, second key", 3, true, 255, 0, kScrollLock, {255, 41, 0}},
    {"path flow forward", 3, true, 255, 1, kPause, {255, 33, 0}},
    {"path swell, second key", 3, false, 255, 0, kScrollLock, {39, 19, 0}},
    {"path swell backward", 3, false, 0, 1, kScrollLock, {24, 12, 0}},
    {"whole rainbow forward", 4, false, 255, 16, kSpace, {248, 255, 0}},
    {"whole rainbow backward", 4, true, 0, 1, kSpace, {255, 0, 8}},
    {"breathing starts dim", 5, false, 255, 0, kSpace, {3, 1, 0}},
    {"breathing peak", 5, false, 0, 32, kSpace, {255, 128, 0}},
    {"breathing rainbow by column", 5, true, 255, 32, kEsc, {255, 113, 0}},
    {"breathing rainbow dim", 5, true, 255, 0, kEsc, {3, 1, 0}},
    {"static colour", 6, false, 255, 9, kKeypadEnter, {255, 128, 0}},
    {"static band 0", 6, true, 255, 0, kEsc, {25, 0, 255}},
    {"static band 11", 6, true, 255, 0, kKeypadEnter, {255, 81, 0}},
    {"key rainbow, first key", 11, false, 255, 0, kPause, {240, 255, 0}},
    {"key rainbow, 16th key", 11, false, 255, 0, kEsc, {129, 0, 255}},
    {"key rainbow, 64th key", 11, true, 0, 0, kBackslash, {255, 1, 0}},
    {"key rainbow moves on", 11, false, 0, 1, kPause, {216, 255, 0}},
    {"row rainbow, top row", 12, false, 255, 0, kEsc, {255, 1, 0}},
    {"row rainbow, bottom row", 12, false, 255, 0, kLeftCtrl, {255, 0, 248}},
    {"row rainbow backward", 12, false, 0, 1, kEsc, {255, 0, 16}},
    {"band rainbow, band 0", 18, false, 255, 0, kEsc, {255, 169, 0}},
    {"band rainbow, band 11", 18, false, 255, 0, kKeypadEnter, {24, 255, 0}},
    {"band rainbow forward", 18, false, 255, 1, kEsc, {255, 185, 0}},
};

TEST(PreviewFrames, PhaseEffectsMatchHandWorkedValues) {
  for (const FrameCase& c : kPhaseCases) {
    const PreviewFrame frame = FrameAt(Input(c.mode, c.colourful, c.direction), c.tick);
    EXPECT_EQ(AtLed(frame, c.led), c.expected) << c.what;
  }
}

// The LEDs at full brightness in a frame of a fading effect; every other
// key must be dimmer (and dark keys black, not blank).
std::set<int> FullyLit(const PreviewFrame& frame, Rgb colour) {
  std::set<int> lit;
  for (int led : kKeyPath) {
    const std::optional<Rgb> shown = AtLed(frame, led);
    EXPECT_TRUE(shown.has_value()) << led;
    if (shown == colour) lit.insert(led);
  }
  return lit;
}

struct LitCase {
  const char* what;
  int mode;
  int tick;
  std::set<int> lit;
};

const LitCase kLitCases[] = {
    {"bouncing lights wait below the keys", 13, 0, {}},
    {"bouncing lights rise from the middle", 13, 1, {kRightAlt, kFn}},
    {"bouncing lights spread", 13, 2, {kN, kSlash}},
    {"bouncing lights reach F1 and F12", 13, 6, {kF1, kF12}},
    {"bouncing lights start over", 13, 8, {kRightAlt, kFn}},
    {"show sweeps the first column", 14, 0, {kLeftShift, kLeftCtrl, kGrave, kTab, kCaps}},
    {"show pairs after the sweep", 14, 20, {kTab, kKeypadPlus}},
    {"rain starts on the top row", 15, 0, {kF7, kF10, kPrintScreen}},
    {"rain falls and new drops start", 15, 1, {kNine, kEquals, kInsert, kF1, kF4, kF6}},
    {"corner light starts out of sight", 16, 0, {}},
    {"corner light runs down", 16, 1, {kOne}},
    {"corner light, second step", 16, 2, {kW}},
    {"corner light reaches Space", 16, 5, {kSpace}},
};

TEST(PreviewFrames, FadingEffectsLightTheHandWorkedKeys) {
  for (const LitCase& c : kLitCases) {
    EXPECT_EQ(FullyLit(FrameAt(Input(c.mode), c.tick), kOrange), c.lit) << c.what;
  }
}

TEST(PreviewFrames, LitKeysFadeByTheirEffectsSteps) {
  // Lit on the previous tick: default fade 255 -> 235, bouncing 255 -> 175.
  EXPECT_EQ(AtLed(FrameAt(Input(15), 1), kF7), (Rgb{235, 117, 0}));
  EXPECT_EQ(AtLed(FrameAt(Input(13), 2), kFn), (Rgb{175, 87, 0}));
  EXPECT_EQ(AtLed(FrameAt(Input(14), 1), kLeftShift), (Rgb{225, 112, 0}));
  EXPECT_EQ(AtLed(FrameAt(Input(13), 0), kO), kBlack);
}

TEST(PreviewFrames, TwinkleLightsThreeKeysATickInItsOrder) {
  const PreviewFrame first = FrameAt(Input(10), 0);
  EXPECT_EQ(FullyLit(first, kOrange),
            (std::set<int>{kTwinkleOrder[0], kTwinkleOrder[1], kTwinkleOrder[2]}));
  const PreviewFrame second = FrameAt(Input(10), 1);
  EXPECT_EQ(FullyLit(second, kOrange),
            (std::set<int>{kTwinkleOrder[3], kTwinkleOrder[4], kTwinkleOrder[5]}));
  EXPECT_EQ(AtLed(second, kTwinkleOrder[0]), (Rgb{235, 117, 0}));
}

TEST(PreviewFrames, RandomColourIndexesPickFromTheIndexRainbow) {
  // 7, 300 and 1000 give indexes 7, 45 and 235.
  const PreviewFrame twinkle = FrameAt(Input(10, true), 0, {7, 300, 1000});
  EXPECT_EQ(AtLed(twinkle, kTwinkleOrder[0]), (Rgb{255, 43, 0}));
  EXPECT_EQ(AtLed(twinkle, kTwinkleOrder[1]), (Rgb{233, 255, 0}));
  EXPECT_EQ(AtLed(twinkle, kTwinkleOrder[2]), (Rgb{255, 0, 113}));

  // Lights from the planes draw in column order; nothing is drawn before.
  const PreviewFrame bouncing = FrameAt(Input(13, true), 1, {7, 300});
  EXPECT_EQ(AtLed(bouncing, kRightAlt), (Rgb{255, 43, 0}));
  EXPECT_EQ(AtLed(bouncing, kFn), (Rgb{233, 255, 0}));
}

TEST(PreviewFrames, ShowSweepWalksTheIndexRainbowElevenApart) {
  const PreviewFrame frame = FrameAt(Input(14, true), 0);
  EXPECT_EQ(AtLed(frame, kLeftShift), (Rgb{255, 1, 0}));  // index 0
  EXPECT_EQ(AtLed(frame, kLeftCtrl), (Rgb{255, 67, 0}));  // index 11
  EXPECT_EQ(AtLed(frame, kGrave), (Rgb{255, 133, 0}));    // index 22
}

}  // namespace
}  // namespace quorlin::lighting
