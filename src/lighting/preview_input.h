#pragma once
// What the preview reads from the program, taken as one value per tick so
// the engine never reaches into the panel or the colour table itself.

#include <array>
#include <cstdint>

#include "lighting/colour.h"
#include "lighting/lit_keys.h"

namespace quorlin::lighting {

struct LightingState;

struct PreviewInput {
  int mode = 0;
  uint8_t direction = 0;  // 0 backward, anything else forward
  bool colourful = false;
  Rgb colour{};
  // The user mode's colour of every LED for the profile slot being edited.
  std::array<Rgb, kLedCount> key_colours{};

  friend bool operator==(const PreviewInput&, const PreviewInput&) = default;
};

constexpr bool Forward(const PreviewInput& input) {
  return input.direction != 0;
}

// The preview's view of the panel: its mode, direction, multi-colour flag and
// the main group's colour, and the per-key colours of the edited slot.
PreviewInput PreviewInputFrom(const LightingState& state);

}  // namespace quorlin::lighting
