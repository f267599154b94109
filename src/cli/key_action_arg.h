#pragma once
// The ACTION of `keys set`: "default", "disabled", "key:NAME",
// "mouse:left|right|middle|wheel-up|wheel-down", "media:NAME",
// "function:N", "macro:NAME", "stop-macro".

#include <optional>
#include <string>

#include "cli/messages.h"
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
                                           Message& why);

// The mouse functions by the names ACTION uses.
struct MouseName {
  std::string_view name;
  keys::KeyCode code;
};
inline constexpr MouseName kMouseNames[] = {
    {"left", keys::kMouseLeft},   {"right", keys::kMouseRight},     {"middle", keys::kMouseMiddle},
    {"wheel-up", keys::kWheelUp}, {"wheel-down", keys::kWheelDown},
};
// The name of a mouse function's key code; nothing for other codes.
std::optional<std::string_view> MouseNameOf(keys::KeyCode code);

}  // namespace quorlin::cli
