#include "cli/macro_events_arg.h"

#include <map>

#include "cli/command_args.h"
#include "macros/macro_rules.h"

namespace quorlin::cli {

namespace {

struct Word {
  std::string head;
  std::string tail;  // folded
};

Word Split(const std::string& word) {
  const auto colon = word.rfind(':');
  if (colon == std::string::npos) return {word, {}};
  return {word.substr(0, colon), Folded(word.substr(colon + 1))};
}

// The delay typed for one event, all its waits added; nothing past the
// keyboard's limit (or too long to be a number at all).
std::optional<uint64_t> AddWait(uint64_t so_far, const std::string& digits) {
  if (digits.size() > 9) return std::nullopt;
  const uint64_t total = so_far + std::stoull(digits);
  if (total > macros::kMaxEventDelay) return std::nullopt;
  return total;
}

}  // namespace

bool LooksLikeEvent(const std::string& word) {
  if (word.find(':') == std::string::npos) return false;
  const Word w = Split(word);
  return Folded(w.head) == "wait" || w.tail == "down" || w.tail == "up";
}

std::optional<ParsedEvents> ParseMacroEvents(const std::vector<std::string>& words,
                                             const NameTexts& texts, Message& why) {
  ParsedEvents parsed;
  // A long macro names the same few keys thousands of times; each name is
  // looked up in the language files once.
  std::map<std::string, std::optional<keys::KeyCode>, std::less<>> known_keys;
  std::vector<uint64_t> typed;  // per event: the sum of its waits
  std::vector<std::string> wait_words;
  for (const auto& word : words) {
    const Word w = Split(word);
    if (Folded(w.head) == "wait") {
      if (parsed.events.empty()) {
        why = Msg("CLI_ERR_WAIT_FIRST", {{"word", word}});
        return std::nullopt;
      }
      if (w.tail.empty() || w.tail.find_first_not_of("0123456789") != std::string::npos) {
        why = Msg("CLI_ERR_WAIT_NUMBER", {{"word", word}});
        return std::nullopt;
      }
      const auto total = AddWait(typed.back(), w.tail);
      if (!total) {
        why = Msg("CLI_ERR_WAIT_LIMIT",
                  {{"word", word}, {"limit", std::to_string(macros::kMaxEventDelay)}});
        return std::nullopt;
      }
      typed.back() = *total;
      wait_words.back() += wait_words.back().empty() ? word : " " + word;
      continue;
    }
    auto found = known_keys.find(w.head);
    if (found == known_keys.end())
      found = known_keys.emplace(w.head, FindKeyCode(w.head, texts)).first;
    const std::optional<keys::KeyCode> key = found->second;
    if (!key || (w.tail != "down" && w.tail != "up")) {
      why = Msg(key ? "CLI_ERR_NOT_EVENT" : "CLI_ERR_UNKNOWN_EVENT_KEY", {{"word", word}});
      return std::nullopt;
    }
    parsed.events.push_back({0, *key, w.tail == "down" ? macros::kPress : macros::kRelease});
    typed.push_back(0);
    wait_words.emplace_back();
  }
  if (parsed.events.empty() || parsed.events.size() > macros::kMaxMacroEvents) {
    why = parsed.events.empty() ? Msg("CLI_ERR_NO_EVENTS")
                                : Msg("CLI_ERR_TOO_MANY_EVENTS",
                                      {{"limit", std::to_string(macros::kMaxMacroEvents)}});
    return std::nullopt;
  }
  for (std::size_t i = 0; i < parsed.events.size(); ++i) {
    const uint32_t stored = macros::CorrectedDelay(typed[i]);
    parsed.events[i].delay = stored;
    if (stored != typed[i]) {
      parsed.rounded.push_back(Msg("CLI_WAIT_ROUNDED", {{"word", wait_words[i]},
                                                        {"typed", std::to_string(typed[i])},
                                                        {"stored", std::to_string(stored)}}));
    }
  }
  return parsed;
}

}  // namespace quorlin::cli
