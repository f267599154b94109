#pragma once
// The EVENTS of `macros add`: "KEY:down", "KEY:up" and "wait:MS", the wait
// being the delay after the event before it, as the macro editor keeps it.

#include <optional>
#include <string>
#include <vector>

#include "cli/name_lookup.h"
#include "macros/macro_record.h"
#include "macros/message_view.h"

namespace quorlin::cli {

// Nothing, with `why`, for a word that is none of the forms, a key that is
// unknown, a wait with no event before it, or more events than a macro holds.
// Waits follow the editor's delay rules (shown on `view` when corrected).
std::optional<std::vector<macros::MacroEvent>> ParseMacroEvents(
    const std::vector<std::string>& words, const NameTexts& texts, macros::MessageView& view,
    std::string& why);

}  // namespace quorlin::cli
