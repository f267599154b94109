#pragma once
// Applying the host's settings: the working store is copied to the applied
// store, and the macro area and the key tables built from that copy are
// written in one batch.

#include "device/device_link.h"
#include "macros/macro_deleted_flag.h"
#include "macros/message_view.h"
#include "profiles/profile_stores.h"
#include "text/text_source.h"

namespace quorlin::profiles {

struct ApplyTargets {
  device::DeviceLink& link;
  AppliedStore& applied;
  macros::MacroDeletedFlag& macro_deleted;
  const text::TextSource& texts;
  macros::MessageView& messages;
};

// `working` is the working store's contents; the caller holds the Working
// lock. The Applied lock is held for the whole apply, device commands
// included. Writes the macro area and the key table of the Active profile,
// or of all three with `all_profiles` or while a deleted macro is pending.
// True when the last key table write succeeded. Nothing is written when the
// Active profile is unknown or the macros do not fit the keyboard even
// without their names (that case is reported).
bool ApplySettings(const WorkingContents& working, bool all_profiles, const ApplyTargets& targets);

}  // namespace quorlin::profiles
