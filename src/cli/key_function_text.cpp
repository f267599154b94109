#include "cli/key_function_text.h"

#include "cli/cli.h"
#include "cli/cli_texts.h"
#include "cli/key_action_arg.h"
#include "cli/name_lookup.h"
#include "keys/key_name.h"
#include "keys/media_list.h"

namespace quorlin::cli {

namespace {

using Kind = keys::KeyActionKind;

std::string_view KindName(Kind kind) {
  static constexpr std::string_view kNames[] = {
      "default", "disabled", "key", "program", "macro", "stop-macro", "text", "media", "function"};
  const auto k = static_cast<std::size_t>(kind);
  return k < std::size(kNames) ? kNames[k] : "unknown";
}

}  // namespace

KeyFunction DescribeFunction(const CliContext& ctx, std::string_view label,
                             const keys::KeyAction& action,
                             const keys::MacroNameLookup& macro_name) {
  const text::TextSource& current = ctx.texts->Current();
  const text::TextSource& english = ctx.texts->English();
  const auto described = keys::DescribeKeyAction(label, action, current, macro_name);
  KeyFunction f{std::string(KindName(action.kind)),
                {},
                std::string(KindName(action.kind)),
                described.text,
                described.assigned};
  // The kinds the key editor names by their page rather than by a target.
  const auto with_detail = [&](const Message& detail) {
    f.text = std::string(label) + current.Text("KEY_PROMPT_SET") + Say(ctx, detail);
  };
  switch (action.kind) {
    case Kind::kDisabled:
      with_detail(Msg("CLI_KEY_DISABLED"));
      break;
    case Kind::kStopMacro:
      with_detail(Msg("CLI_KEY_STOP_MACRO"));
      break;
    case Kind::kSingleKey: {
      const auto code = static_cast<keys::KeyCode>(action.param);
      if (const auto mouse = MouseNameOf(code)) {
        f.kind = "mouse";
        f.param = std::string(*mouse);
        with_detail(Msg("CLI_KEY_MOUSE", {{"name", keys::KeyNameText(code, current)}}));
      } else {
        f.param = keys::KeyNameText(code, english);
      }
      break;
    }
    case Kind::kMedia:
      // An index past the list (from a file) has no name to give.
      if (action.param < keys::kMediaList.size()) {
        f.param = NameIdentifier(english.Text(keys::kMediaList[action.param].resource_key));
      }
      break;
    case Kind::kFunction:
      f.param = static_cast<int>(action.param) + 1;
      break;
    case Kind::kMacro:
      f.param = macro_name ? macro_name(action.param) : std::string();
      break;
    default:
      break;
  }
  if (const auto* s = std::get_if<std::string>(&f.param)) f.action = f.kind + ':' + *s;
  if (const auto* n = std::get_if<int>(&f.param)) f.action = f.kind + ':' + std::to_string(*n);
  return f;
}

}  // namespace quorlin::cli
