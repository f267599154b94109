#pragma once
// Everything the main window's flows share, in one object the user
// interface owns: no two windows can disagree about the edited slot, the
// pending key changes or what the lighting panel shows.

#include <atomic>

#include "lighting/lighting_state.h"
#include "macros/macro_deleted_flag.h"
#include "profiles/profile_stores.h"

namespace quorlin::flows {

struct ProgramState {
  // Edited slot, panel state (with the lighting view flag), per-key colour
  // table and base-colour marks.
  lighting::LightingState lighting;
  // Key functions or macros changed and not yet applied (Apply enabled).
  // Written by the device worker's flows and by the windows alike.
  std::atomic<bool> modified{false};
  // The profile button shown checked; -1 none. Shared as `modified` is.
  std::atomic<int> checked_profile_button{-1};

  profiles::WorkingStore working;
  profiles::AppliedStore applied;
  macros::MacroDeletedFlag macro_deleted;
};

}  // namespace quorlin::flows
