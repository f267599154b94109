#pragma once
// The program's two profile images in memory. The working store is what the
// editors change and profile files save; its texts live in the Text side
// table. The applied store is the copy taken at each apply, with the texts
// packed into a string pool, from which the keyboard's images are built.
// Each is reached only under its own lock; a flow that needs both takes the
// Working lock first.

#include <cstdint>
#include <vector>

#include "keys/guarded.h"
#include "keys/key_action_store.h"
#include "keys/text_side_table.h"
#include "macros/macro_record.h"
#include "profiles/profile_header.h"

namespace quorlin::profiles {

struct WorkingContents {
  // Header and format tag block as last loaded or saved. The tag block is
  // carried unchanged, so a user's file keeps its bytes.
  HeaderBlock header{};
  keys::KeyActionStore actions;
  keys::TextSideTable texts;
  macros::MacroList macro_list;
  // Set once the store holds a whole image read from the keyboard or from a
  // profile file. A store that never got one holds no macros only because
  // nothing was read: applying it would write an empty macro area over the
  // keyboard's, so the flows refuse to.
  bool loaded = false;
};

struct AppliedContents {
  HeaderBlock header{};
  // Params of kind Run program and Text block are offsets into the pool.
  keys::KeyActionStore actions;
  macros::MacroList macro_list;
  std::vector<uint8_t> string_pool;
};

using WorkingStore = keys::Guarded<WorkingContents>;
using AppliedStore = keys::Guarded<AppliedContents>;

// Header block, Key actions, macros and texts all gone; no longer loaded.
void EmptyWorkingContents(WorkingContents& working);

// What a profile without any assignment holds: header and tag block, all
// Key actions zero except the G-key codes of page 0, no macros, no texts.
// It stands for nothing read, so it does not count as loaded.
void MakeEmptyProfileImage(uint8_t flag, WorkingContents& working);

// The applied copy of `working`: texts packed into the pool, kind Run
// program and Text block params set to their offsets, the header recording
// the macro count and the pool size.
void TakeAppliedCopy(const WorkingContents& working, AppliedContents& applied);

}  // namespace quorlin::profiles
