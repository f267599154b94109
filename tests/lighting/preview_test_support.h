#pragma once
// Helpers for the preview tests: a random source that replays a script, and
// running an engine for a number of ticks.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "lighting/preview_engine.h"

namespace quorlin::lighting {

class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<uint32_t> values) : values_(std::move(values)) {}
  uint32_t Next() override { return values_[next_++ % values_.size()]; }

 private:
  std::vector<uint32_t> values_;
  std::size_t next_ = 0;
};

inline constexpr Rgb kOrange{255, 128, 0};

inline PreviewInput Input(int mode, bool colourful = false, uint8_t direction = 255,
                          Rgb colour = kOrange) {
  PreviewInput input;
  input.mode = mode;
  input.colourful = colourful;
  input.direction = direction;
  input.colour = colour;
  return input;
}

// The colour shown by the key at `led`.
inline std::optional<Rgb> AtLed(const PreviewFrame& frame, int led) {
  const auto& leds = LitKeyLeds();
  for (std::size_t key = 0; key < leds.size(); ++key) {
    if (leds[key] == led) return frame[key];
  }
  return std::nullopt;
}

// Frame number `tick` (0 = the first) of a fresh engine.
inline PreviewFrame FrameAt(const PreviewInput& input, int tick,
                            std::vector<uint32_t> random = {0}) {
  PreviewEngine engine(std::make_unique<ScriptedRandom>(std::move(random)));
  PreviewFrame frame{};
  for (int t = 0; t <= tick; ++t) frame = engine.Tick(input);
  return frame;
}

}  // namespace quorlin::lighting
