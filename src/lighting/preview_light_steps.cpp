// The effects where keys light up at full brightness and fade: each tick
// every key fades first, then new lights come on, so a key lit this tick
// shows at full brightness.

#include <cstddef>

#include "lighting/preview_colour_tables.h"
#include "lighting/preview_key_layout.h"
#include "lighting/preview_steps.h"

namespace quorlin::lighting {

namespace {

constexpr uint8_t kFull = 255;
constexpr uint32_t kIndexCount = static_cast<uint32_t>(kIndexRainbow.size());

constexpr int kTwinklesPerTick = 3;

// The bouncing lights start out of sight below column 9 and the corner
// lights at the top of column 1. A light caught alone on the top row or the
// hidden row of such a column goes out again in all four directions; once
// every light has left the grid a new one starts where the first did, so the
// effect never goes dark for good.
constexpr int kBounceColumn = 9;
constexpr int kCornerStartColumn = 1;
constexpr int kCornerEndColumn = kGridColumns - 1;

// Three drops per tick, at these distances right of the previous tick's
// last drop, wrapping round the grid.
constexpr std::array<int, 3> kDropSpacing = {10, 13, 16};

// When all the lights at `column` sit in the single row `rows`, every plane
// takes them, so they leave the column again in all four directions.
void Bounce(LightPlanes& planes, int column, uint8_t rows) {
  if (planes.At(column) == rows) planes.SetAll(column, rows);
}

}  // namespace

void FadeAll(StepContext& ctx, const FadeSteps& steps) {
  for (uint8_t& level : ctx.state.brightness) level = Faded(level, steps);
}

void Light(StepContext& ctx, int led, uint8_t index) {
  ctx.state.brightness[static_cast<std::size_t>(led)] = kFull;
  ctx.state.colour_index[static_cast<std::size_t>(led)] = index;
}

void LightFromPlanes(StepContext& ctx) {
  for (int column = 0; column < kGridColumns; ++column) {
    const uint8_t rows = ctx.state.planes.At(column);
    if (rows == 0) continue;
    for (int row = 0; row < kGridRows; ++row) {
      const int led = GridLed(row, column);
      if (led == kNoLed || (rows & (1u << row)) == 0) continue;
      const auto slot = static_cast<std::size_t>(led);
      ctx.state.brightness[slot] = kFull;
      if (ctx.input.colourful) {
        ctx.state.colour_index[slot] = static_cast<uint8_t>(ctx.random.Below(kIndexCount));
      }
    }
  }
}

void DrawFading(StepContext& ctx) {
  for (uint8_t led : kKeyPath) {
    const Rgb colour =
        ctx.input.colourful ? kIndexRainbow[ctx.state.colour_index[led]] : ctx.input.colour;
    ctx.Paint(led, Dim(colour, ctx.state.brightness[led]));
  }
}

void StepTwinkle(StepContext& ctx) {
  FadeAll(ctx, kDefaultFade);
  int& next = ctx.state.twinkle_next;
  for (int i = 0; i < kTwinklesPerTick; ++i) {
    Light(ctx, kTwinkleOrder[static_cast<std::size_t>(next)],
          static_cast<uint8_t>(ctx.random.Below(kIndexCount)));
    next = (next + 1) % kPathLength;
  }
  DrawFading(ctx);
}

void StepBouncing(StepContext& ctx) {
  LightPlanes& planes = ctx.state.planes;
  FadeAll(ctx, kFastFade);
  if (planes.Empty()) planes.SetAll(kBounceColumn, LightPlanes::kBelowRow);
  Bounce(planes, kBounceColumn, LightPlanes::kTopRow);
  Bounce(planes, kBounceColumn, LightPlanes::kBelowRow);
  LightFromPlanes(ctx);
  planes.MoveDiagonally();
  DrawFading(ctx);
}

void StepRain(StepContext& ctx) {
  constexpr int kDownwardPlane = 1;
  LightPlanes& planes = ctx.state.planes;
  FadeAll(ctx, kDefaultFade);
  const int last = ctx.state.last_drop_column;
  for (int spacing : kDropSpacing) {
    const int column = (last + spacing) % kGridColumns;
    planes.Add(kDownwardPlane, column, LightPlanes::kTopRow);
    ctx.state.last_drop_column = column;
  }
  LightFromPlanes(ctx);
  planes.MoveVertically();
  DrawFading(ctx);
}

void StepCornerLights(StepContext& ctx) {
  LightPlanes& planes = ctx.state.planes;
  FadeAll(ctx, kCornerFade);
  if (planes.Empty()) planes.SetAll(kCornerStartColumn, LightPlanes::kTopRow);
  Bounce(planes, kCornerStartColumn, LightPlanes::kTopRow);
  Bounce(planes, kCornerEndColumn, LightPlanes::kBelowRow);
  LightFromPlanes(ctx);
  planes.MoveDiagonally();
  DrawFading(ctx);
}

}  // namespace quorlin::lighting
