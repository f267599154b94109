// The scripted show: sweep, pairs, a burst from O, and a pause before it
// starts over.

#include <cstddef>

#include "lighting/preview_colour_tables.h"
#include "lighting/preview_show_lists.h"
#include "lighting/preview_steps.h"

namespace quorlin::lighting {

namespace {

constexpr int kIndexSpacing = 11;

// Lit keys of the sweep and the pairs walk the index rainbow in even steps.
void LightNext(StepContext& ctx, int led) {
  uint8_t& index = ctx.state.show.next_index;
  Light(ctx, led, index);
  index = static_cast<uint8_t>((index + kIndexSpacing) % static_cast<int>(kIndexRainbow.size()));
}

void Enter(ShowState& show, ShowStage stage) {
  show.stage = stage;
  show.tick = 0;
}

uint8_t BrightnessOf(const StepContext& ctx, int led) {
  return ctx.state.brightness[static_cast<std::size_t>(led)];
}

void Sweep(StepContext& ctx) {
  ShowState& show = ctx.state.show;
  for (int8_t led : kShowSweep[static_cast<std::size_t>(show.tick)]) {
    if (led != kNoLed) LightNext(ctx, led);
  }
  if (++show.tick == kSweepLength) Enter(show, ShowStage::kPairs);
}

void Pairs(StepContext& ctx) {
  ShowState& show = ctx.state.show;
  if (show.tick < kPairTicks) {
    const KeyPair& pair = kShowPairs[static_cast<std::size_t>(show.tick) % kShowPairs.size()];
    LightNext(ctx, pair.first);
    LightNext(ctx, pair.second);
    ++show.tick;
  } else if (BrightnessOf(ctx, kShowWaitLed) == 0) {
    Enter(show, ShowStage::kBurst);
  }
}

void Burst(StepContext& ctx) {
  LightPlanes& planes = ctx.state.planes;
  planes.Clear();
  planes.SetAll(kBurstColumn, static_cast<uint8_t>(1u << kBurstRow));
  LightFromPlanes(ctx);
  Enter(ctx.state.show, ShowStage::kBurstMoving);
}

void BurstMoving(StepContext& ctx) {
  LightPlanes& planes = ctx.state.planes;
  planes.MoveDiagonally();
  LightFromPlanes(ctx);
  if (BrightnessOf(ctx, kBurstEndLed) == 255 || planes.Empty()) {
    Enter(ctx.state.show, ShowStage::kBurstFading);
  }
}

void BurstFading(StepContext& ctx) {
  if (BrightnessOf(ctx, kBurstEndLed) == 0) Enter(ctx.state.show, ShowStage::kSweep);
}

}  // namespace

void StepShow(StepContext& ctx) {
  FadeAll(ctx, kShowFade);
  switch (ctx.state.show.stage) {
    case ShowStage::kSweep:
      Sweep(ctx);
      break;
    case ShowStage::kPairs:
      Pairs(ctx);
      break;
    case ShowStage::kBurst:
      Burst(ctx);
      break;
    case ShowStage::kBurstMoving:
      BurstMoving(ctx);
      break;
    case ShowStage::kBurstFading:
      BurstFading(ctx);
      break;
  }
  DrawFading(ctx);
}

}  // namespace quorlin::lighting
