#pragma once
// When another program (quorlinctl) changed the keyboard while the window
// held edits it had not applied, and the user keeps those edits, they are
// laid over what the keyboard holds now: only what the window itself
// changed since it last loaded goes over, so a macro or key the other
// program set and the window never touched survives.

#include "profiles/profile_stores.h"

namespace quorlin::flows {

// `loaded` is what the window held with nothing pending, `edited` what it
// holds now, `keyboard` what was just read. Key actions (and their texts)
// the window changed take the window's value; macros it added, changed or
// deleted are added, replaced or deleted by identifier. A macro the window
// added under an identifier the keyboard now uses for another one gets a
// free identifier, and the window's keys follow it.
profiles::WorkingContents LayEditsOver(const profiles::WorkingContents& loaded,
                                       const profiles::WorkingContents& edited,
                                       profiles::WorkingContents keyboard);

}  // namespace quorlin::flows
