#include "lighting/preview_state.h"

#include <cstddef>

#include "lighting/preview_colour_tables.h"

namespace quorlin::lighting {

PreviewState StartState() {
  PreviewState state;
  // Stagger the per-key rainbow so neighbours on the path start a sixth of
  // the circle (33 of 192 steps) apart.
  constexpr int kStagger = 33;
  const int circle = static_cast<int>(kRainbow.size());
  for (int n = 0; n < kPathLength; ++n) {
    state.path_phase[static_cast<std::size_t>(n)] =
        static_cast<uint8_t>(kStagger * (n + 1) % circle);
  }
  return state;
}

}  // namespace quorlin::lighting
