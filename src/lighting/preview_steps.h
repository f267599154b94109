#pragma once
// One tick of each preview effect. A step reads the input, moves the state
// on and paints the LEDs it lights; LEDs it leaves alone show nothing.

#include <array>
#include <optional>

#include "lighting/colour.h"
#include "lighting/lit_keys.h"
#include "lighting/preview_fade.h"
#include "lighting/preview_input.h"
#include "lighting/preview_random.h"
#include "lighting/preview_state.h"

namespace quorlin::lighting {

using LedColours = std::array<std::optional<Rgb>, kLedCount>;

struct StepContext {
  PreviewState& state;
  const PreviewInput& input;
  RandomSource& random;
  LedColours& leds;

  void Paint(int led, Rgb colour) { leds[static_cast<std::size_t>(led)] = colour; }
};

// `phase` moved `step` forward or backward, kept in 0..period-1.
constexpr int Advanced(int phase, int step, int period, bool forward) {
  const int moved = forward ? phase + step : phase - step;
  return ((moved % period) + period) % period;
}

// Effects that run on a phase.
void StepColumnWave(StepContext& ctx);    // 1
void StepPulseWave(StepContext& ctx);     // 2
void StepPathFlow(StepContext& ctx);      // 3
void StepWholeRainbow(StepContext& ctx);  // 4
void StepBreathing(StepContext& ctx);     // 5
void StepStatic(StepContext& ctx);        // 6
void StepKeyRainbow(StepContext& ctx);    // 11
void StepRowRainbow(StepContext& ctx);    // 12
void StepBandRainbow(StepContext& ctx);   // 18

// Effects where keys light up and fade.
void StepTwinkle(StepContext& ctx);       // 10
void StepBouncing(StepContext& ctx);      // 13
void StepShow(StepContext& ctx);          // 14
void StepRain(StepContext& ctx);          // 15
void StepCornerLights(StepContext& ctx);  // 16

// Shown as they are.
void StepUserColours(StepContext& ctx);  // 20

// Shared by the fading effects.
void FadeAll(StepContext& ctx, const FadeSteps& steps);
// Full brightness for `led`, with `index` as its colour index.
void Light(StepContext& ctx, int led, uint8_t index);
// Lights every key under a light of the planes; with multi-colour each one
// takes a random colour index.
void LightFromPlanes(StepContext& ctx);
// Paints every path key: its colour (the single colour, or its index in the
// index rainbow) dimmed to its brightness.
void DrawFading(StepContext& ctx);

}  // namespace quorlin::lighting
