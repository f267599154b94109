#include "cli/macro_events_arg.h"

#include "cli/command_args.h"
#include "macros/macro_rules.h"

namespace quorlin::cli {

std::optional<std::vector<macros::MacroEvent>> ParseMacroEvents(
    const std::vector<std::string>& words, const NameTexts& texts, macros::MessageView& view,
    std::string& why) {
  std::vector<macros::MacroEvent> events;
  for (const auto& word : words) {
    const auto colon = word.rfind(':');
    const std::string head = colon == std::string::npos ? word : word.substr(0, colon);
    const std::string tail =
        colon == std::string::npos ? std::string() : Folded(word.substr(colon + 1));
    if (Folded(head) == "wait") {
      if (events.empty()) {
        why = "'" + word + "': a wait follows an event";
        return std::nullopt;
      }
      if (tail.empty() || tail.find_first_not_of("0123456789") != std::string::npos) {
        why = "'" + word + "': the wait is a number of milliseconds";
        return std::nullopt;
      }
      events.back().delay = macros::CommitEditedDelay(tail, texts.current, view);
      continue;
    }
    const auto key = FindKeyCode(head, texts);
    if (!key || (tail != "down" && tail != "up")) {
      why = "'" + word + "' is not KEY:down, KEY:up or wait:MS" + (key ? "" : " (unknown key)");
      return std::nullopt;
    }
    events.push_back({0, *key, tail == "down" ? macros::kPress : macros::kRelease});
  }
  if (events.empty() || events.size() > macros::kMaxMacroEvents) {
    why = events.empty() ? "a macro needs at least one event" : "a macro holds at most 4000 events";
    return std::nullopt;
  }
  return events;
}

}  // namespace quorlin::cli
