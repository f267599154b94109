#pragma once
// A key's function as scripts and people read it: stable English
// identifiers (the ACTION `keys set` takes back) beside the description
// the key editor would give in the run's language.

#include <string>
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

KeyFunction DescribeFunction(const CliContext& ctx, std::string_view label,
                             const keys::KeyAction& action,
                             const keys::MacroNameLookup& macro_name);

}  // namespace quorlin::cli
