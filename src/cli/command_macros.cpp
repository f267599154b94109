#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/macro_events_arg.h"
#include "cli/messages.h"
#include "cli/session.h"
#include "keys/key_name.h"
#include "macros/macro_area.h"
#include "macros/macro_list.h"
#include "macros/macro_name.h"
#include "macros/macro_rules.h"
#include "macros/utf16_text.h"

namespace quorlin::cli {

namespace {

using macros::MacroList;
using macros::MacroRecord;

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::optional<std::size_t> PositionOf(const MacroList& list, const std::string& name) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (Folded(macros::MacroName(list[i])) == Folded(name)) return i;
  }
  return std::nullopt;
}

// Bytes the macro takes in the keyboard's macro area, with its name.
std::size_t AreaBytes(const MacroRecord& m) {
  return macros::MacroAreaSizesOf(MacroList{m}).full - macros::kMacroAreaHeaderSize;
}

int ListMacros(CliContext& ctx, const MacroList& list) {
  std::optional<JsonWriter> json;
  if (ctx.options.json) json.emplace(ctx.out).BeginArray();
  for (const auto& m : list) {
    if (json) {
      json->BeginObject()
          .Field("name", macros::MacroName(m))
          .Field("identifier", int{m.identifier})
          .Field("play_count", int{m.play_count})
          .Field("events", int{m.event_count})
          .Field("size", static_cast<int64_t>(AreaBytes(m)))
          .EndObject();
    } else {
      ctx.out << Say(ctx, Msg("CLI_MACRO_LINE", {{"name", macros::MacroName(m)},
                                                 {"id", std::to_string(m.identifier)},
                                                 {"plays", std::to_string(m.play_count)},
                                                 {"events", std::to_string(m.event_count)},
                                                 {"size", std::to_string(AreaBytes(m))}}))
              << '\n';
    }
  }
  if (json) json->EndArray();
  if (!json && list.empty()) ctx.out << Say(ctx, Msg("CLI_NO_MACROS")) << '\n';
  return kExitOk;
}

int ShowMacro(CliContext& ctx, const MacroRecord& m) {
  std::optional<JsonWriter> json;
  if (ctx.options.json)
    json.emplace(ctx.out)
        .BeginObject()
        .Field("name", macros::MacroName(m))
        .Key("events")
        .BeginArray();
  for (const auto& e : macros::UsedEvents(m)) {
    const std::string key = keys::KeyNameText(e.key, ctx.texts->Current());
    const char* direction = e.direction == macros::kPress ? "down" : "up";
    if (json) {
      json->BeginObject()
          .Field("key", keys::KeyNameText(e.key, ctx.texts->English()))
          .Field("label", key)
          .Field("direction", direction)
          .Field("delay", static_cast<int64_t>(e.delay))
          .EndObject();
    } else {
      ctx.out << key << ':' << direction;
      if (e.delay) ctx.out << " wait:" << e.delay;
      ctx.out << '\n';
    }
  }
  if (json) json->EndArray().EndObject();
  return kExitOk;
}

// The rounding notes say what the keyboard holds, so they are given only
// once it holds the macro.
int AddMacro(CliContext& ctx, CliSession& session, const std::string& name,
             const ParsedEvents& parsed) {
  {
    auto working = session.State().working.Lock();
    MacroList editing = working->macro_list;
    if (PositionOf(editing, name))
      return BadArguments(ctx, Msg("CLI_ERR_MACRO_EXISTS", {{"name", name}}));
    if (editing.size() >= macros::kMaxMacros) {
      return BadArguments(
          ctx, Msg("CLI_ERR_MACRO_LIST_FULL", {{"limit", std::to_string(macros::kMaxMacros)}}));
    }
    MacroRecord record = macros::NewMacroRecord(name, editing);
    macros::SetEvents(record, parsed.events);
    editing.push_back(record);
    macros::CommitMacroEdits(working->actions, working->macro_list, editing);
  }
  ctx.tally.Reset();
  const int before = ctx.tally.FramesSent();
  const bool applied = session.ApplyChanges(session.Link().ActiveProfile());
  if (applied) {
    for (const auto& note : parsed.rounded) Notice(ctx, Say(ctx, note));
  }
  return session.ReportApply(Msg("CLI_DONE_MACRO_ADDED", {{"name", name}}), applied, before);
}

int DeleteMacro(CliContext& ctx, CliSession& session, const std::string& name) {
  MacroList editing;
  {
    auto working = session.State().working.Lock();
    editing = working->macro_list;
  }
  const auto position = PositionOf(editing, name);
  if (!position) return BadArguments(ctx, Msg("CLI_ERR_DELETE_NO_MACRO", {{"name", name}}));
  auto& state = session.State();
  const macros::InUseCheck in_use = [&state](uint32_t id) {
    return macros::MacroInUse(id, state.working.Lock()->actions);
  };
  const auto outcome = macros::DeleteMacro(editing, *position, in_use, state.macro_deleted,
                                           session.Texts(), session.View());
  if (!outcome.deleted) {
    return Fail(ctx, kExitFailure, Msg("CLI_ERR_MACRO_KEPT", {{"name", name}}));
  }
  {
    auto working = state.working.Lock();
    macros::CommitMacroEdits(working->actions, working->macro_list, editing);
  }
  ctx.tally.Reset();
  const int before = ctx.tally.FramesSent();
  const bool applied = session.ApplyChanges(session.Link().ActiveProfile());
  return session.ReportApply(Msg("CLI_DONE_MACRO_DELETED", {{"name", name}}), applied, before);
}

// The name of `macros add`: one the keyboard can store whole and that
// cannot be mistaken for an event.
bool CheckNewName(CliContext& ctx, const std::string& name, int& status) {
  std::optional<Message> why;
  if (name.empty() || name.front() == ' ') {
    why = Msg("CLI_ERR_MACRO_NAME_BLANK");
  } else if (macros::Utf8ToUtf16(name).size() > macros::kMaxMacroNameLength) {
    why = Msg("CLI_ERR_MACRO_NAME_LONG",
              {{"limit", std::to_string(macros::kMaxMacroNameLength)},
               {"length", std::to_string(macros::Utf8ToUtf16(name).size())}});
  } else if (LooksLikeEvent(name)) {
    why = Msg("CLI_ERR_MACRO_NAME_EVENT", {{"name", name}});
  }
  if (why) status = BadArguments(ctx, *why);
  return !why;
}

}  // namespace

int CommandMacros(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  Message why;
  if (!FinishOptions(words, why)) return BadArguments(ctx, why);
  const std::string sub = words.empty() ? std::string() : words.front();
  std::optional<ParsedEvents> parsed;
  if (sub == "add") {
    if (words.size() < 3) return BadArguments(ctx, Msg("CLI_ERR_MACRO_ADD_USAGE"));
    int status = kExitOk;
    if (!CheckNewName(ctx, words[1], status)) return status;
    parsed = ParseMacroEvents({words.begin() + 2, words.end()},
                              {ctx.texts->Current(), ctx.texts->English()}, why);
    if (!parsed) return BadArguments(ctx, why);
  } else if (sub == "show" || sub == "delete") {
    if (words.size() < 2) return BadArguments(ctx, Msg("CLI_ERR_MACRO_NEEDS_NAME_" + Upper(sub)));
    if (words.size() > 2) return BadArguments(ctx, Msg("CLI_ERR_TOO_MANY", {{"word", words[2]}}));
  } else if (!words.empty()) {
    return BadArguments(ctx, Msg("CLI_ERR_MACROS_USAGE"));
  }
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  if (!session->LoadKeys(status)) return status;
  if (sub == "add") {
    return AddMacro(ctx, *session, words[1], *parsed);
  }
  if (sub == "delete") return DeleteMacro(ctx, *session, words[1]);
  const MacroList list = session->State().working.Lock()->macro_list;
  if (sub.empty()) return ListMacros(ctx, list);
  const auto position = PositionOf(list, words[1]);
  if (!position) return BadArguments(ctx, Msg("CLI_ERR_SHOW_NO_MACRO", {{"name", words[1]}}));
  return ShowMacro(ctx, list[*position]);
}

}  // namespace quorlin::cli
