#pragma once
// The EVENTS of `macros add`: "KEY:down", "KEY:up" and "wait:MS", the wait
// being the delay after the event before it, as the macro editor keeps it.

#include <optional>
#include <string>
#include <vector>

#include "cli/messages.h"
#include "cli/name_lookup.h"
#include "macros/macro_record.h"

namespace quorlin::cli {

struct ParsedEvents {
  std::vector<macros::MacroEvent> events;
  // Waits the keyboard stores rounded down to its 10 ms steps, for the
  // user to be told: the word typed and what is stored.
  std::vector<Message> rounded;
};

// Nothing, with `why`, for a word that is none of the forms, a key that is
// unknown, a wait with no event before it, waits after one event that add
// up to more than the keyboard stores, or more events than a macro holds.
std::optional<ParsedEvents> ParseMacroEvents(const std::vector<std::string>& words,
                                             const NameTexts& texts, Message& why);

// Whether a word reads as an event, so that it is not taken for a name.
bool LooksLikeEvent(const std::string& word);

}  // namespace quorlin::cli
