// Cost of one preview tick for every mode, one colour and multi-colour. The
// preview ticks every 50 ms on the user-interface thread; a tick should stay
// well under 0.2 ms. The Time column is the cost of one tick in microseconds.

#include <benchmark/benchmark.h>

#include <memory>

#include "lighting/lighting_state.h"
#include "lighting/preview_engine.h"

namespace {

using namespace quorlin::lighting;

void BM_PreviewTick(benchmark::State& state) {
  PreviewEngine engine(std::make_unique<PreviewRandom>(1));
  PreviewInput input;
  input.mode = static_cast<int>(state.range(0));
  input.colourful = state.range(1) != 0;
  input.direction = 255;
  input.colour = Rgb{255, 128, 0};
  for (auto _ : state) {
    const PreviewFrame& frame = engine.Tick(input);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_PreviewTick)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 20, 1), {0, 1}})
    ->ArgNames({"mode", "colourful"})
    ->Unit(benchmark::kMicrosecond);

// What the timer handler pays: reading the lighting state into the input
// (the per-key colours included), then the tick.
void BM_StepPreviewFromState(benchmark::State& state) {
  PreviewEngine engine(std::make_unique<PreviewRandom>(1));
  LightingState lighting;
  lighting.panel.mode = static_cast<int>(state.range(0));
  lighting.panel.colourful = true;
  for (auto _ : state) {
    const PreviewFrame& frame = StepPreview(engine, lighting);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_StepPreviewFromState)
    ->Arg(14)
    ->Arg(20)
    ->ArgName("mode")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
