#include "cli/key_action_arg.h"

#include "cli/command_args.h"

namespace quorlin::cli {

namespace {

using Kind = keys::KeyActionKind;

std::optional<keys::KeyCode> MouseCode(const std::string& name) {
  const std::string typed = NameKey(name);
  for (const auto& m : kMouseNames) {
    if (NameKey(m.name) == typed) return m.code;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string_view> MouseNameOf(keys::KeyCode code) {
  for (const auto& m : kMouseNames) {
    if (m.code == code) return m.name;
  }
  return std::nullopt;
}

std::optional<ParsedAction> ParseKeyAction(const std::string& text, const NameTexts& texts,
                                           Message& why) {
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
    param = MouseCode(name);
  } else if (form == "media") {
    kind = Kind::kMedia;
    param = FindMedia(name, texts);
  } else if (form == "function") {
    kind = Kind::kFunction;
    param = FindFunction(name, texts);
  } else if (form == "macro") {
    if (name.empty()) {
      why = Msg("CLI_ERR_MACRO_NEEDS_NAME");
      return std::nullopt;
    }
    return ParsedAction{Kind::kMacro, 0, name};
  } else {
    why = Msg("CLI_ERR_NOT_ACTION", {{"word", text}});
    return std::nullopt;
  }
  if (!param) {
    why = Msg("CLI_ERR_NAME_UNKNOWN", {{"form", form}, {"name", name}});
    return std::nullopt;
  }
  return ParsedAction{kind, *param, {}};
}

}  // namespace quorlin::cli
