// The effects that run on a phase: each tick paints from the current phase,
// then moves it on, so the first frame after a restart shows phase 0.

#include <cstddef>

#include "lighting/preview_colour_tables.h"
#include "lighting/preview_key_layout.h"
#include "lighting/preview_steps.h"

namespace quorlin::lighting {

namespace {

constexpr int kRainbowLength = static_cast<int>(kRainbow.size());
constexpr int kSwellLength = static_cast<int>(kSwellCurve.size());
constexpr int kBreathLength = static_cast<int>(kBreathCurve.size());
constexpr int kPulseLength = static_cast<int>(kPulseCurve.size());

// Grid column k gets colour_of(k). A wide key ends with the colour of its
// rightmost column.
template <typename ColourOf>
void PaintColumns(StepContext& ctx, ColourOf colour_of) {
  for (int column = 0; column < kGridColumns; ++column) {
    const Rgb colour = colour_of(column);
    for (int row = 0; row < kGridRows; ++row) {
      const int led = GridLed(row, column);
      if (led != kNoLed) ctx.Paint(led, colour);
    }
  }
}

template <typename ColourOf>
void PaintRows(StepContext& ctx, ColourOf colour_of) {
  for (int row = 0; row < kGridRows; ++row) {
    const Rgb colour = colour_of(row);
    for (int column = 0; column < kGridColumns; ++column) {
      const int led = GridLed(row, column);
      if (led != kNoLed) ctx.Paint(led, colour);
    }
  }
}

// The n-th key of the path gets colour_of(n).
template <typename ColourOf>
void PaintPath(StepContext& ctx, ColourOf colour_of) {
  for (int n = 0; n < kPathLength; ++n)
    ctx.Paint(kKeyPath[static_cast<std::size_t>(n)], colour_of(n));
}

template <typename ColourOf>
void PaintBands(StepContext& ctx, ColourOf colour_of) {
  for (int led = 0; led < kLedCount; ++led) {
    const int band = kBandOfLed[static_cast<std::size_t>(led)];
    if (band != kNoLed) ctx.Paint(led, colour_of(band));
  }
}

void PaintAll(StepContext& ctx, Rgb colour) {
  PaintPath(ctx, [colour](int) { return colour; });
}

}  // namespace

void StepColumnWave(StepContext& ctx) {
  int& phase = ctx.state.phase;
  const PreviewInput& in = ctx.input;
  if (in.colourful) {
    PaintColumns(ctx, [phase](int k) { return Wrapped(kRainbow, phase + 9 * k); });
    phase = Advanced(phase, 9, kRainbowLength, Forward(in));
  } else {
    PaintColumns(ctx, [&](int k) { return Dim(in.colour, Wrapped(kSwellCurve, phase + 7 * k)); });
    phase = Advanced(phase, 7, kSwellLength, Forward(in));
  }
}

void StepPulseWave(StepContext& ctx) {
  int& phase = ctx.state.phase;
  const PreviewInput& in = ctx.input;
  if (in.colourful) {
    PaintColumns(ctx, [phase](int k) { return Wrapped(kRainbow, phase + 5 * k); });
    phase = Advanced(phase, 4, kRainbowLength, Forward(in));
  } else {
    // The pulse itself always runs forward; the direction decides which
    // way the columns are offset, so which way the pulses travel.
    const int offset = Forward(in) ? 5 : -5;
    PaintColumns(ctx,
                 [&](int k) { return Dim(in.colour, Wrapped(kPulseCurve, phase + offset * k)); });
    phase = Advanced(phase, 4, kPulseLength, true);
  }
}

void StepPathFlow(StepContext& ctx) {
  int& phase = ctx.state.phase;
  const PreviewInput& in = ctx.input;
  if (in.colourful) {
    PaintPath(ctx, [phase](int n) { return Wrapped(kRainbow, phase + 5 * n); });
    phase = Advanced(phase, 4, kRainbowLength, Forward(in));
  } else {
    PaintPath(ctx, [&](int n) { return Dim(in.colour, Wrapped(kSwellCurve, phase + 5 * n)); });
    phase = Advanced(phase, 4, kSwellLength, Forward(in));
  }
}

void StepWholeRainbow(StepContext& ctx) {
  int& phase = ctx.state.phase;
  PaintAll(ctx, Wrapped(kRainbow, phase));
  phase = Advanced(phase, 2, kRainbowLength, Forward(ctx.input));
}

void StepBreathing(StepContext& ctx) {
  int& phase = ctx.state.phase;
  const PreviewInput& in = ctx.input;
  const uint8_t level = Wrapped(kBreathCurve, phase);
  if (in.colourful) {
    PaintColumns(ctx, [level](int k) { return Dim(Wrapped(kRainbow, 7 * k), level); });
  } else {
    PaintAll(ctx, Dim(in.colour, level));
  }
  phase = Advanced(phase, 2, kBreathLength, true);
}

void StepStatic(StepContext& ctx) {
  if (ctx.input.colourful) {
    PaintBands(ctx, [](int band) { return Wrapped(kRainbow, 131 - 11 * band); });
  } else {
    PaintAll(ctx, ctx.input.colour);
  }
}

void StepKeyRainbow(StepContext& ctx) {
  auto& phases = ctx.state.path_phase;
  PaintPath(ctx,
            [&phases](int n) { return Wrapped(kRainbow, phases[static_cast<std::size_t>(n)]); });
  for (uint8_t& phase : phases)
    phase = static_cast<uint8_t>(Advanced(phase, 3, kRainbowLength, true));
}

void StepRowRainbow(StepContext& ctx) {
  int& phase = ctx.state.phase;
  PaintRows(ctx, [phase](int row) { return Wrapped(kRainbow, phase + 32 * row); });
  phase = Advanced(phase, 3, kRainbowLength, Forward(ctx.input));
}

void StepBandRainbow(StepContext& ctx) {
  int& phase = ctx.state.phase;
  PaintBands(ctx, [phase](int band) { return Wrapped(kRainbow, phase + 21 * (band + 1)); });
  phase = Advanced(phase, 2, kRainbowLength, Forward(ctx.input));
}

}  // namespace quorlin::lighting
