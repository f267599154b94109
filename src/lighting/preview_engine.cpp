#include "lighting/preview_engine.h"

#include <cstddef>
#include <utility>

#include "lighting/lighting_state.h"

namespace quorlin::lighting {

namespace {

using StepFunction = void (*)(StepContext&);

constexpr int kHighestMode = 20;

// Modes without an entry (7, 8, 9, 17, 19 and anything unknown) have no
// preview: their keys show no colour.
constexpr std::array<StepFunction, kHighestMode + 1> kSteps = {
    nullptr,           // 0
    StepColumnWave,    // 1
    StepPulseWave,     // 2
    StepPathFlow,      // 3
    StepWholeRainbow,  // 4
    StepBreathing,     // 5
    StepStatic,        // 6
    nullptr,           // 7
    nullptr,           // 8
    nullptr,           // 9
    StepTwinkle,       // 10
    StepKeyRainbow,    // 11
    StepRowRainbow,    // 12
    StepBouncing,      // 13
    StepShow,          // 14
    StepRain,          // 15
    StepCornerLights,  // 16
    nullptr,           // 17
    StepBandRainbow,   // 18
    nullptr,           // 19
    StepUserColours,   // 20
};

StepFunction StepFor(int mode) {
  if (mode < 0 || mode > kHighestMode) return nullptr;
  return kSteps[static_cast<std::size_t>(mode)];
}

}  // namespace

void StepUserColours(StepContext& ctx) {
  for (int led = 0; led < kLedCount; ++led) {
    ctx.Paint(led, ctx.input.key_colours[static_cast<std::size_t>(led)]);
  }
}

PreviewEngine::PreviewEngine()
    : PreviewEngine(std::make_unique<PreviewRandom>(ClockStartValue())) {}

PreviewEngine::PreviewEngine(std::unique_ptr<RandomSource> random) : random_(std::move(random)) {}

const PreviewFrame& PreviewEngine::Tick(const PreviewInput& input) {
  if (reset_requested_ || input.mode != last_mode_) state_ = StartState();
  reset_requested_ = false;
  last_mode_ = input.mode;

  leds_.fill(std::nullopt);
  if (const StepFunction step = StepFor(input.mode)) {
    StepContext ctx{state_, input, *random_, leds_};
    step(ctx);
  }
  const auto& leds_of_keys = LitKeyLeds();
  for (std::size_t key = 0; key < frame_.size(); ++key) {
    frame_[key] = leds_[static_cast<std::size_t>(leds_of_keys[key])];
  }
  return frame_;
}

const PreviewFrame& StepPreview(PreviewEngine& engine, LightingState& state) {
  if (state.panel.preview_restart) {
    engine.RequestReset();
    state.panel.preview_restart = false;
  }
  return engine.Tick(PreviewInputFrom(state));
}

}  // namespace quorlin::lighting
