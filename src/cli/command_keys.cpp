#include <ostream>

#include "cli/cli.h"
#include "cli/cli_texts.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/key_action_arg.h"
#include "cli/key_function_text.h"
#include "cli/messages.h"
#include "cli/session.h"
#include "keys/describe_key_action.h"
#include "keys/key_catalogue.h"
#include "keys/key_name.h"
#include "keys/key_stores.h"
#include "keys/media_list.h"
#include "macros/macro_list.h"
#include "macros/macro_name.h"

namespace quorlin::cli {

namespace {

using keys::KeyAction;

void ParamField(JsonWriter& json, const KeyFunction& f) {
  json.Key("param");
  if (const auto* s = std::get_if<std::string>(&f.param)) {
    json.String(*s);
  } else if (const auto* n = std::get_if<int>(&f.param)) {
    json.Int(*n);
  } else {
    json.String("");
  }
}

int ListKeys(CliContext& ctx, CliSession& session, int slot) {
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
    const std::string label = keys::KeyButtonLabel(index, ctx.texts->Current());
    const KeyFunction f = DescribeFunction(
        ctx, label, action, macro_name, working->texts.Text(keys::StoreRecordNumber(slot, index)));
    if (json) {
      json->BeginObject()
          .Field("key", keys::KeyButtonLabel(index, ctx.texts->English()))
          .Field("label", label)
          .Field("index", index)
          .Field("kind", f.kind);
      ParamField(*json, f);
      json->Field("action", f.action)
          .Field("assigned", f.assigned)
          .Field("text", f.text)
          .EndObject();
    } else {
      ctx.out << f.text << '\n';
    }
  }
  if (json) json->EndArray().EndObject();
  return kExitOk;
}

// Every name ACTION and the macro events accept, as they are typed.
int ListNames(CliContext& ctx) {
  const text::TextSource& current = ctx.texts->Current();
  const text::TextSource& english = ctx.texts->English();
  struct Name {
    std::string typed;
    std::string shown;
  };
  std::vector<std::pair<std::string, std::vector<Name>>> groups = {
      {"key", {}}, {"mouse", {}}, {"media", {}}, {"function", {}}};
  for (int index = 0; index < keys::kCatalogueSize; ++index) {
    if (!keys::IsInUse(keys::Catalogue()[static_cast<std::size_t>(index)])) continue;
    const keys::KeyCode code = keys::KeyCodeFromIndex(index);
    if (MouseNameOf(code)) continue;
    groups[0].second.push_back(
        {keys::KeyNameText(code, english), keys::KeyNameText(code, current)});
  }
  for (const auto& m : kMouseNames) {
    groups[1].second.push_back({std::string(m.name), keys::KeyNameText(m.code, current)});
  }
  for (const auto& m : keys::kMediaList) {
    groups[2].second.push_back(
        {NameIdentifier(english.Text(m.resource_key)), current.Text(m.resource_key)});
  }
  for (int i = 1; i <= keys::kFunctionCount; ++i) {
    groups[3].second.push_back(
        {std::to_string(i), current.Text("FUNC_KEY_DESC" + std::to_string(i))});
  }
  if (ctx.options.json) {
    JsonWriter json(ctx.out);
    json.BeginObject();
    for (const auto& [kind, names] : groups) {
      json.Key(kind).BeginArray();
      for (const auto& n : names)
        json.BeginObject().Field("name", n.typed).Field("text", n.shown).EndObject();
      json.EndArray();
    }
    json.EndObject();
    return kExitOk;
  }
  for (const auto& [kind, names] : groups) {
    for (const auto& n : names) {
      ctx.out << kind << ':' << n.typed;
      if (n.shown != n.typed) ctx.out << "  (" << n.shown << ')';
      ctx.out << '\n';
    }
  }
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
        return BadArguments(ctx, Msg("CLI_ERR_NO_MACRO", {{"name", parsed.macro_name}}));
      param = working->macro_list[static_cast<std::size_t>(it - names.begin())].identifier;
    }
    auto& record =
        working->actions.pages[static_cast<std::size_t>(slot)][static_cast<std::size_t>(index)];
    if (keys::OwnsText(record.kind)) working->texts.Release(keys::StoreRecordNumber(slot, index));
    record = MakeAction(parsed, param, index);
  }
  ctx.tally.Reset();
  const int before = ctx.tally.FramesSent();
  return session.ReportApply(Msg("CLI_DONE_KEY_SET"), session.ApplyChanges(slot), before);
}

int ResetKeys(CliContext& ctx, CliSession& session, int slot) {
  {
    auto working = session.State().working.Lock();
    keys::ClearProfileRecords(working->actions, working->texts, slot);
  }
  ctx.tally.Reset();
  const int before = ctx.tally.FramesSent();
  return session.ReportApply(Msg("CLI_DONE_KEYS_RESET"), session.ApplyChanges(slot), before);
}

}  // namespace

int CommandKeys(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  std::optional<int> slot;
  Message why;
  if (!TakeProfileOption(words, slot, why) || !FinishOptions(words, why)) {
    return BadArguments(ctx, why);
  }
  const std::string sub = words.empty() ? std::string() : words.front();
  const NameTexts names{ctx.texts->Current(), ctx.texts->English()};
  std::optional<int> index;
  std::optional<ParsedAction> action;
  if (sub == "names") {
    if (words.size() > 1) return BadArguments(ctx, Msg("CLI_ERR_TOO_MANY", {{"word", words[1]}}));
    return ListNames(ctx);
  }
  if (sub == "set") {
    if (words.size() < 3) return BadArguments(ctx, Msg("CLI_ERR_KEYS_SET_USAGE"));
    if (words.size() > 3) return BadArguments(ctx, Msg("CLI_ERR_TOO_MANY", {{"word", words[3]}}));
    index = FindKeyIndex(words[1], names);
    if (!index) return BadArguments(ctx, Msg("CLI_ERR_NOT_A_KEY", {{"word", words[1]}}));
    action = ParseKeyAction(words[2], names, why);
    if (!action) return BadArguments(ctx, why);
  } else if (sub == "reset") {
    if (words.size() > 1) return BadArguments(ctx, Msg("CLI_ERR_TOO_MANY", {{"word", words[1]}}));
  } else if (!sub.empty()) {
    return BadArguments(ctx, Msg("CLI_ERR_KEYS_USAGE"));
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
