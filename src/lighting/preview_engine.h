#pragma once
// The lighting preview: while the lighting view is open the keyboard picture
// imitates the chosen effect, one frame per 50 ms tick. The engine only reads
// what it is given and never talks to the keyboard.

#include <array>
#include <memory>
#include <optional>

#include "lighting/colour.h"
#include "lighting/lit_keys.h"
#include "lighting/preview_input.h"
#include "lighting/preview_random.h"
#include "lighting/preview_state.h"
#include "lighting/preview_steps.h"

namespace quorlin::lighting {

struct LightingState;

inline constexpr int kPreviewTickMs = 50;

// The colour of every lit key (lit_keys.h), or nothing where the key shows
// no colour.
using PreviewFrame = std::array<std::optional<Rgb>, kLitKeyCount>;

class PreviewEngine {
 public:
  // Random choices from a generator started from the clock.
  PreviewEngine();
  explicit PreviewEngine(std::unique_ptr<RandomSource> random);

  // The next tick starts from the beginning: choosing a mode calls this.
  void RequestReset() { reset_requested_ = true; }

  // One tick of the input's mode. A mode different from the last tick's
  // starts from the beginning too, so an effect never inherits another's
  // lights.
  const PreviewFrame& Tick(const PreviewInput& input);

  const PreviewState& State() const { return state_; }

 private:
  std::unique_ptr<RandomSource> random_;
  PreviewState state_ = StartState();
  bool reset_requested_ = false;
  int last_mode_ = -1;
  LedColours leds_{};
  PreviewFrame frame_{};
};

// One tick from the program's lighting state; a restart asked for by the
// panel is taken and its request cleared.
const PreviewFrame& StepPreview(PreviewEngine& engine, LightingState& state);

}  // namespace quorlin::lighting
