#include "cli/key_function_text.h"

#include "cli/cli.h"
#include "cli/cli_texts.h"
#include "cli/key_action_arg.h"
#include "cli/name_lookup.h"
#include "keys/key_name.h"
#include "keys/media_list.h"
#include "macros/utf16_text.h"

namespace quorlin::cli {

namespace {

using Kind = keys::KeyActionKind;

std::string_view KindName(Kind kind) {
  static constexpr std::string_view kNames[] = {
      "default", "disabled", "key", "program", "macro", "stop-macro", "text", "media", "function"};
  const auto k = static_cast<std::size_t>(kind);
  return k < std::size(kNames) ? kNames[k] : "unknown";
}

// Long enough to tell programs and texts apart, short enough that the
// line still fits a terminal beside the key's name.
constexpr std::size_t kShownUnits = 48;

bool IsControl(char16_t c) {
  return c < 0x20 || c == 0x7F;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::string OneLineText(std::u16string_view text, std::size_t max_units, bool keep_tail) {
  std::u16string flat;
  for (const char16_t c : text) {
    if (!IsControl(c)) {
      flat += c;
    } else if (flat.empty() || flat.back() != u' ') {
      flat += u' ';
    }
  }
  if (flat.size() <= max_units || max_units < 2) return macros::Utf16ToUtf8(flat);
  const std::u16string_view all(flat);
  const std::size_t room = max_units - 1;  // one unit for the ellipsis
  const std::size_t head = keep_tail ? room / 3 : room;
  std::string out = macros::Utf16ToUtf8(all.substr(0, macros::Utf16PrefixLength(all, head)));
  out += "\xE2\x80\xA6";  // U+2026
  std::size_t tail_start = all.size() - (room - head);
  if (tail_start < all.size() && IsLowSurrogate(all[tail_start])) ++tail_start;
  if (keep_tail) out += macros::Utf16ToUtf8(all.substr(tail_start));
  return out;
}

KeyFunction DescribeFunction(const CliContext& ctx, std::string_view label,
                             const keys::KeyAction& action, const keys::MacroNameLookup& macro_name,
                             const std::u16string* host_text) {
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
    case Kind::kRunProgram:
    case Kind::kTextBlock: {
      // Scripts get the whole text; the line gets what fits.
      const std::u16string none;
      const std::u16string& whole = host_text ? *host_text : none;
      f.param = macros::Utf16ToUtf8(whole);
      const bool program = action.kind == Kind::kRunProgram;
      with_detail(Msg(program ? "CLI_KEY_PROGRAM" : "CLI_KEY_TEXT",
                      {{"text", OneLineText(whole, kShownUnits, program)}}));
      break;
    }
    default:
      break;
  }
  // `keys set` cannot make a program or text key, so no ACTION names one.
  if (keys::OwnsText(action.kind)) return f;
  if (const auto* s = std::get_if<std::string>(&f.param)) f.action = f.kind + ':' + *s;
  if (const auto* n = std::get_if<int>(&f.param)) f.action = f.kind + ':' + std::to_string(*n);
  return f;
}

}  // namespace quorlin::cli
