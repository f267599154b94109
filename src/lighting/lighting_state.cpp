#include "lighting/lighting_state.h"

namespace quorlin::lighting {

void RecomputeBaseMarks(LightingState& state) {
  const auto& leds = LitKeyLeds();
  for (int p = 0; p < kProfileSlots; ++p) {
    auto& marks = state.base_marks[static_cast<std::size_t>(p)];
    for (std::size_t k = 0; k < leds.size(); ++k) {
      marks[k] = ColourAt(state.key_colours, p, leds[k]) == state.panel.base_colour;
    }
  }
}

}  // namespace quorlin::lighting
