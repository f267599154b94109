#include "lighting/preview_input.h"

#include <cstddef>

#include "lighting/lighting_state.h"

namespace quorlin::lighting {

PreviewInput PreviewInputFrom(const LightingState& state) {
  PreviewInput input;
  input.mode = state.panel.mode;
  input.direction = state.panel.direction;
  input.colourful = state.panel.colourful;
  input.colour = state.panel.main_colour;
  for (int led = 0; led < kLedCount; ++led) {
    input.key_colours[static_cast<std::size_t>(led)] =
        ColourAt(state.key_colours, state.edited_slot, led);
  }
  return input;
}

}  // namespace quorlin::lighting
