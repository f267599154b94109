#pragma once
// Everything the preview remembers between ticks. A restart puts it back to
// StartState(), which is also where the program begins.

#include <array>
#include <cstdint>

#include "lighting/lit_keys.h"
#include "lighting/preview_key_layout.h"
#include "lighting/preview_light_planes.h"

namespace quorlin::lighting {

// The scripted show: sweep, pairs, burst, wait.
enum class ShowStage : uint8_t { kSweep, kPairs, kBurst, kBurstMoving, kBurstFading };

struct ShowState {
  ShowStage stage = ShowStage::kSweep;
  int tick = 0;            // ticks spent in the stage
  uint8_t next_index = 0;  // colour index of the next key the show lights
};

struct PreviewState {
  // Shared by every effect that runs on one phase.
  int phase = 0;
  // Per LED, for the effects where keys light up and fade.
  std::array<uint8_t, kLedCount> brightness{};
  std::array<uint8_t, kLedCount> colour_index{};
  // Per path position, for the per-key rainbow.
  std::array<uint8_t, kPathLength> path_phase{};
  int twinkle_next = 0;  // position in the twinkle order
  LightPlanes planes;
  int last_drop_column = 0;
  ShowState show;
};

PreviewState StartState();

}  // namespace quorlin::lighting
