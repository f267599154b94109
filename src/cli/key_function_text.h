#pragma once
// A key's function as scripts and people read it: stable English
// identifiers (the ACTION `keys set` takes back) beside the description
// the key editor would give in the run's language.

#include <string>
#include <string_view>
#include <variant>

#include "cli/messages.h"
#include "keys/describe_key_action.h"
#include "keys/key_action.h"

namespace quorlin::cli {

struct KeyFunction {
  std::string kind;  // "default", "key", "mouse", "media" ...
  // The English key name, the mouse, media or macro name, or the function
  // number 1..11; nothing for the kinds without a target.
  std::variant<std::monostate, std::string, int> param;
  std::string action;  // "media:volume-up", "disabled" ...
  std::string text;    // localised, as the key editor describes it
  bool assigned = false;
};

// `host_text` is the record's program path or text (kinds Run program and
// Text block), nullptr when it owns none.
KeyFunction DescribeFunction(const CliContext& ctx, std::string_view label,
                             const keys::KeyAction& action, const keys::MacroNameLookup& macro_name,
                             const std::u16string* host_text = nullptr);

// A program path or text fit for one line: runs of control characters (line
// breaks, tabs) become one blank, and a long one is cut to `max_units` UTF-16
// units with "…" where the cut is, keeping a path's tail (the program's
// name) and a text's head. Never cuts inside a character.
std::string OneLineText(std::u16string_view text, std::size_t max_units, bool keep_tail);

}  // namespace quorlin::cli
