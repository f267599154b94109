#pragma once
// The program's lighting state: one object, owned by the user interface and
// handed by reference to the panel and the flows, so no two windows can hold
// different ideas of what the keyboard shows.

#include <string>
#include <vector>

#include "device/commands.h"
#include "lighting/key_colour_table.h"
#include "lighting/mode_list.h"
#include "lighting/panel_state.h"

namespace quorlin::lighting {

struct LightingState {
  // The profile slot (0..2) whose lighting the panel edits.
  int edited_slot = 0;
  // The main window's pending key changes (Apply enabled). Lighting changes
  // never set it: they reach the keyboard at once.
  bool modified = false;

  // The three Lighting records as last read.
  device::LightingRecords records{};
  ModeList modes;
  PanelState panel;

  KeyColourTable key_colours;
  BaseColourMarks base_marks{};
  // The user-mode slot list of the edited slot, names in slot order.
  std::vector<std::string> user_slot_names;
};

// The lit keys whose colour in `profile_slot` equals the current base colour
// get the mark, all others lose it, for every profile slot.
void RecomputeBaseMarks(LightingState& state);

}  // namespace quorlin::lighting
