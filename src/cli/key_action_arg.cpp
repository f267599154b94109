#include "cli/key_action_arg.h"

#include "cli/command_args.h"

namespace quorlin::cli {

namespace {

using Kind = keys::KeyActionKind;

std::optional<keys::KeyCode> MouseCode(const std::string& name) {
  if (name == "left") return keys::kMouseLeft;
  if (name == "right") return keys::kMouseRight;
  if (name == "middle") return keys::kMouseMiddle;
  if (name == "wheel-up") return keys::kWheelUp;
  if (name == "wheel-down") return keys::kWheelDown;
  return std::nullopt;
}

}  // namespace

std::optional<ParsedAction> ParseKeyAction(const std::string& text, const NameTexts& texts,
                                           std::string& why) {
  const std::string folded = Folded(text);
  if (folded == "default") return ParsedAction{Kind::kDefault, 0, {}};
  if (folded == "disabled") return ParsedAction{Kind::kDisabled, 0, {}};
  if (folded == "stop-macro") return ParsedAction{Kind::kStopMacro, 0, {}};
  const auto colon = text.find(':');
  const std::string form = colon == std::string::npos ? folded : folded.substr(0, colon);
  const std::string name = colon == std::string::npos ? std::string() : text.substr(colon + 1);
  std::optional<uint32_t> param;
  Kind kind = Kind::kSingleKey;
  if (form == "key") {
    param = FindKeyCode(name, texts);
  } else if (form == "mouse") {
    // Mouse functions are keys of the catalogue, sent as single keys.
    param = MouseCode(Folded(name));
  } else if (form == "media") {
    kind = Kind::kMedia;
    param = FindMedia(name, texts);
  } else if (form == "function") {
    kind = Kind::kFunction;
    param = FindFunction(name, texts);
  } else if (form == "macro") {
    if (name.empty()) {
      why = "macro: needs a macro name";
      return std::nullopt;
    }
    return ParsedAction{Kind::kMacro, 0, name};
  } else {
    why = "'" + text +
          "' is not an action (default, disabled, key:, mouse:, media:, function:, "
          "macro:, stop-macro)";
    return std::nullopt;
  }
  if (!param) {
    why = form + ": '" + name + "' is not known";
    return std::nullopt;
  }
  return ParsedAction{kind, *param, {}};
}

}  // namespace quorlin::cli
