#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/key_action_arg.h"
#include "cli/session.h"
#include "keys/describe_key_action.h"
#include "keys/key_stores.h"
#include "macros/macro_list.h"
#include "macros/macro_name.h"

namespace quorlin::cli {

namespace {

using keys::KeyAction;

std::string_view KindName(keys::KeyActionKind kind) {
  static constexpr std::string_view kNames[] = {
      "default", "disabled", "key", "program", "macro", "stop-macro", "text", "media", "function"};
  const auto k = static_cast<std::size_t>(kind);
  return k < std::size(kNames) ? kNames[k] : "unknown";
}

int ListKeys(CliContext& ctx, CliSession& session, int slot) {
  const text::TextSource& texts = session.Texts();
  auto working = session.State().working.Lock();
  const auto& list = working->macro_list;
  const keys::MacroNameLookup macro_name = [&list](uint32_t id) {
    const auto* m = macros::FindMacro(id, list);
    return m ? macros::MacroName(*m) : std::string();
  };
  const auto& page = working->actions.pages[static_cast<std::size_t>(slot)];
  std::optional<JsonWriter> json;
  if (ctx.options.json)
    json.emplace(ctx.out).BeginObject().Field("profile", slot + 1).Key("keys").BeginArray();
  for (const int index : keys::ProfileButtonRecords()) {
    const KeyAction& action = page[static_cast<std::size_t>(index)];
    const std::string label = keys::KeyButtonLabel(index, texts);
    const auto description = keys::DescribeKeyAction(label, action, texts, macro_name);
    if (json) {
      json->BeginObject()
          .Field("key", label)
          .Field("index", index)
          .Field("kind", KindName(action.kind))
          .Field("assigned", description.assigned)
          .Field("text", description.text)
          .EndObject();
    } else {
      ctx.out << description.text << '\n';
    }
  }
  if (json) json->EndArray().EndObject();
  return kExitOk;
}

// The Key action of a parsed ACTION; the G-key records keep the code they carry.
KeyAction MakeAction(const ParsedAction& parsed, uint32_t param, int index) {
  KeyAction action;
  action.kind = parsed.kind;
  action.param = param;
  action.aux = keys::GKeyCodeOfRecord(index);
  return action;
}

int SetKey(CliContext& ctx, CliSession& session, int slot, int index, const ParsedAction& parsed) {
  {
    auto working = session.State().working.Lock();
    uint32_t param = parsed.param;
    if (parsed.kind == keys::KeyActionKind::kMacro) {
      const auto names = macros::MacroNames(working->macro_list);
      const auto it = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
        return Folded(n) == Folded(parsed.macro_name);
      });
      if (it == names.end())
        return BadArguments(ctx, "set: no macro named '" + parsed.macro_name + "'");
      param = working->macro_list[static_cast<std::size_t>(it - names.begin())].identifier;
    }
    auto& record =
        working->actions.pages[static_cast<std::size_t>(slot)][static_cast<std::size_t>(index)];
    if (keys::OwnsText(record.kind)) working->texts.Release(keys::StoreRecordNumber(slot, index));
    record = MakeAction(parsed, param, index);
  }
  ctx.tally.Reset();
  return ReportChange(ctx, "key set", session.ApplyChanges(slot));
}

int ResetKeys(CliContext& ctx, CliSession& session, int slot) {
  {
    auto working = session.State().working.Lock();
    keys::ClearProfileRecords(working->actions, working->texts, slot);
  }
  ctx.tally.Reset();
  return ReportChange(ctx, "keys reset", session.ApplyChanges(slot));
}

}  // namespace

int CommandKeys(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  std::optional<int> slot;
  std::string why;
  if (!TakeProfileOption(words, slot, why)) return BadArguments(ctx, why);
  const std::string sub = words.empty() ? std::string() : words.front();
  CliTexts texts(ctx.options.language_id);
  const NameTexts names{texts.Current(), texts.English()};
  std::optional<int> index;
  std::optional<ParsedAction> action;
  if (sub == "set") {
    if (words.size() != 3) return BadArguments(ctx, "set needs KEY and ACTION");
    index = FindKeyIndex(words[1], names);
    if (!index) return BadArguments(ctx, "set: '" + words[1] + "' is not a key or G key (G1..G9)");
    action = ParseKeyAction(words[2], names, why);
    if (!action) return BadArguments(ctx, "set: " + why);
  } else if (!(sub.empty() || (sub == "reset" && words.size() == 1))) {
    return BadArguments(ctx, "expected nothing, 'set KEY ACTION' or 'reset'");
  }
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  if (!session->LoadKeys(status)) return status;
  const int edited = slot.value_or(session->Link().ActiveProfile());
  if (sub == "set") return SetKey(ctx, *session, edited, *index, *action);
  if (sub == "reset") return ResetKeys(ctx, *session, edited);
  return ListKeys(ctx, *session, edited);
}

}  // namespace quorlin::cli
