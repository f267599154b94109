// How the preview engine behaves as a whole: restarts, the modes without an
// animation, the user mode's colours and repeatable random choices.

#include "lighting/preview_engine.h"

#include <gtest/gtest.h>

#include "lighting/lighting_state.h"
#include "lighting/preview_show_lists.h"
#include "preview_test_support.h"

namespace quorlin::lighting {
namespace {

bool AllBlank(const PreviewFrame& frame) {
  for (const auto& key : frame) {
    if (key.has_value()) return false;
  }
  return true;
}

TEST(PreviewEngine, ModesWithoutAnimationClearEveryKey) {
  for (int mode : {0, 7, 8, 9, 17, 19, 21, -1, 255}) {
    PreviewEngine engine(std::make_unique<PreviewRandom>(1));
    for (int t = 0; t < 5; ++t) engine.Tick(Input(4));
    EXPECT_TRUE(AllBlank(engine.Tick(Input(mode, true)))) << mode;
  }
}

TEST(PreviewEngine, AnimatedModesColourEveryKeyButTheGKeys) {
  for (int mode : {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15, 16, 18}) {
    const PreviewFrame frame = FrameAt(Input(mode), 3);
    for (int key = 0; key < kLitKeyCount; ++key) {
      EXPECT_EQ(frame[static_cast<std::size_t>(key)].has_value(), key != kGKeysLitKey)
          << "mode " << mode << " key " << key;
    }
  }
}

TEST(PreviewEngine, UserModeShowsTheEditedSlotsColoursUnchanged) {
  LightingState state;
  state.edited_slot = 1;
  state.panel.mode = kUserMode;
  for (int led = 0; led < kLedCount; ++led) {
    SetColourAt(state.key_colours, 1, led,
                Rgb{static_cast<uint8_t>(led), 7, static_cast<uint8_t>(255 - led)});
    SetColourAt(state.key_colours, 0, led, kWhite);
  }
  PreviewEngine engine(std::make_unique<PreviewRandom>(1));
  for (int t = 0; t < 3; ++t) {
    const PreviewFrame& frame = StepPreview(engine, state);
    for (int key = 0; key < kLitKeyCount; ++key) {
      const int led = LitKeyLeds()[static_cast<std::size_t>(key)];
      EXPECT_EQ(frame[static_cast<std::size_t>(key)], ColourAt(state.key_colours, 1, led)) << key;
    }
  }
}

TEST(PreviewEngine, KeyRainbowIgnoresMultiColour) {
  PreviewEngine one(std::make_unique<PreviewRandom>(1));
  PreviewEngine multi(std::make_unique<PreviewRandom>(2));
  for (int t = 0; t < 70; ++t) {
    ASSERT_EQ(one.Tick(Input(11, false, 255, kWhite)), multi.Tick(Input(11, true, 0, kOrange)))
        << t;
  }
}

TEST(PreviewEngine, ResetRequestStartsTheEffectOver) {
  const PreviewFrame first = FrameAt(Input(4), 0);
  PreviewEngine engine(std::make_unique<PreviewRandom>(1));
  for (int t = 0; t < 10; ++t) engine.Tick(Input(4));
  EXPECT_NE(engine.Tick(Input(4)), first);
  engine.RequestReset();
  EXPECT_EQ(engine.Tick(Input(4)), first);
  EXPECT_NE(engine.Tick(Input(4)), first);  // only once
}

TEST(PreviewEngine, StepPreviewTakesThePanelsRestartRequest) {
  LightingState state;
  state.panel.mode = 12;
  PreviewEngine engine(std::make_unique<PreviewRandom>(1));
  const PreviewFrame first = StepPreview(engine, state);
  StepPreview(engine, state);
  state.panel.preview_restart = true;
  EXPECT_EQ(StepPreview(engine, state), first);
  EXPECT_FALSE(state.panel.preview_restart);
}

TEST(PreviewEngine, ChangedModeStartsFromTheBeginning) {
  PreviewEngine engine(std::make_unique<PreviewRandom>(1));
  for (int t = 0; t < 5; ++t) engine.Tick(Input(14));
  engine.Tick(Input(13));
  engine.Tick(Input(14));
  EXPECT_EQ(engine.State().show.stage, ShowStage::kSweep);
  EXPECT_EQ(engine.State().show.tick, 1);
}

// The show runs its five stages in order and comes back to the sweep.
TEST(PreviewEngine, ShowRunsItsStagesAndStartsOver) {
  PreviewEngine engine(std::make_unique<PreviewRandom>(1));
  std::vector<ShowStage> seen;
  int burst_tick = -1;
  for (int t = 0; t < 400 && seen.size() < 6; ++t) {
    const ShowStage before = engine.State().show.stage;
    const PreviewFrame& frame = engine.Tick(Input(14));
    if (seen.empty() || seen.back() != before) seen.push_back(before);
    if (before == ShowStage::kBurst) {
      burst_tick = t;
      EXPECT_EQ(AtLed(frame, GridLed(kBurstRow, kBurstColumn)), kOrange);
      EXPECT_EQ(AtLed(frame, kShowWaitLed), (Rgb{0, 0, 0}));
    }
  }
  EXPECT_EQ(seen, (std::vector<ShowStage>{ShowStage::kSweep, ShowStage::kPairs, ShowStage::kBurst,
                                          ShowStage::kBurstMoving, ShowStage::kBurstFading,
                                          ShowStage::kSweep}));
  // P is lit last on pair tick 26 (20 + 26) and then needs 27 ticks to go dark.
  EXPECT_EQ(burst_tick, 20 + 26 + 27 + 1);
}

TEST(PreviewEngine, SameRandomStartGivesTheSameFrames) {
  for (int mode : {10, 13, 14, 15, 16}) {
    PreviewEngine a(std::make_unique<PreviewRandom>(42));
    PreviewEngine b(std::make_unique<PreviewRandom>(42));
    PreviewEngine other(std::make_unique<PreviewRandom>(43));
    bool differs = false;
    for (int t = 0; t < 100; ++t) {
      const PreviewFrame& fa = a.Tick(Input(mode, true));
      ASSERT_EQ(fa, b.Tick(Input(mode, true))) << "mode " << mode << " tick " << t;
      differs = differs || fa != other.Tick(Input(mode, true));
    }
    EXPECT_TRUE(differs) << mode;
  }
}

}  // namespace
}  // namespace quorlin::lighting
