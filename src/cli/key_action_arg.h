#pragma once
// The ACTION of `keys set`: "default", "disabled", "key:NAME",
// "mouse:left|right|middle|wheel-up|wheel-down", "media:NAME",
// "function:N", "macro:NAME", "stop-macro".

#include <optional>
#include <string>

#include "cli/name_lookup.h"
#include "keys/key_action.h"

namespace quorlin::cli {

struct ParsedAction {
  keys::KeyActionKind kind = keys::KeyActionKind::kDefault;
  uint32_t param = 0;
  std::string macro_name;  // kind kMacro: resolved against the macro list later
};

// Nothing, with `why`, for an action that is not one of the forms above or
// names no key, media or function.
std::optional<ParsedAction> ParseKeyAction(const std::string& text, const NameTexts& texts,
                                           std::string& why);

}  // namespace quorlin::cli
