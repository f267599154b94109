#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/macro_events_arg.h"
#include "cli/session.h"
#include "keys/key_name.h"
#include "macros/macro_area.h"
#include "macros/macro_list.h"
#include "macros/macro_name.h"
#include "macros/macro_rules.h"

namespace quorlin::cli {

namespace {

using macros::MacroList;
using macros::MacroRecord;

// Messages of the argument checks, before any window exists.
class ErrorLines final : public macros::MessageView {
 public:
  explicit ErrorLines(std::ostream& err) : err_(err) {}
  void ShowMessage(std::string_view text) override { err_ << "quorlinctl: " << text << '\n'; }
  bool AskYesNo(std::string_view) override { return false; }

 private:
  std::ostream& err_;
};

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
      ctx.out << macros::MacroName(m) << "  id " << m.identifier << "  plays " << int{m.play_count}
              << "  events " << m.event_count << "  size " << AreaBytes(m) << " bytes\n";
    }
  }
  if (json) json->EndArray();
  if (!json && list.empty()) ctx.out << "no macros\n";
  return kExitOk;
}

int ShowMacro(CliContext& ctx, const MacroRecord& m, const text::TextSource& texts) {
  std::optional<JsonWriter> json;
  if (ctx.options.json)
    json.emplace(ctx.out)
        .BeginObject()
        .Field("name", macros::MacroName(m))
        .Key("events")
        .BeginArray();
  for (const auto& e : macros::UsedEvents(m)) {
    const std::string key = keys::KeyNameText(e.key, texts);
    const char* direction = e.direction == macros::kPress ? "down" : "up";
    if (json) {
      json->BeginObject()
          .Field("key", key)
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

int AddMacro(CliContext& ctx, CliSession& session, const std::string& name,
             const std::vector<macros::MacroEvent>& events) {
  {
    auto working = session.State().working.Lock();
    MacroList editing = working->macro_list;
    if (PositionOf(editing, name))
      return BadArguments(ctx, "add: a macro named '" + name + "' exists");
    if (editing.size() >= macros::kMaxMacros)
      return BadArguments(ctx, "add: the list holds 100 macros");
    MacroRecord record = macros::NewMacroRecord(name, editing);
    macros::SetEvents(record, events);
    editing.push_back(record);
    macros::CommitMacroEdits(working->actions, working->macro_list, editing);
  }
  ctx.tally.Reset();
  return ReportChange(ctx, "macro added", session.ApplyChanges(session.Link().ActiveProfile()));
}

int DeleteMacro(CliContext& ctx, CliSession& session, const std::string& name) {
  MacroList editing;
  {
    auto working = session.State().working.Lock();
    editing = working->macro_list;
  }
  const auto position = PositionOf(editing, name);
  if (!position) return BadArguments(ctx, "delete: no macro named '" + name + "'");
  auto& state = session.State();
  const macros::InUseCheck in_use = [&state](uint32_t id) {
    return macros::MacroInUse(id, state.working.Lock()->actions);
  };
  const auto outcome = macros::DeleteMacro(editing, *position, in_use, state.macro_deleted,
                                           session.Texts(), session.View());
  if (!outcome.deleted) {
    ctx.err << "quorlinctl: macros: delete: '" << name
            << "' kept (keys use it; --yes deletes it)\n";
    return kExitFailure;
  }
  {
    auto working = state.working.Lock();
    macros::CommitMacroEdits(working->actions, working->macro_list, editing);
  }
  ctx.tally.Reset();
  return ReportChange(ctx, "macro deleted", session.ApplyChanges(session.Link().ActiveProfile()));
}

}  // namespace

int CommandMacros(CliContext& ctx) {
  const auto words = CommandArgs(ctx);
  const std::string sub = words.empty() ? std::string() : words.front();
  std::optional<std::vector<macros::MacroEvent>> events;
  if (sub == "add") {
    if (words.size() < 3) return BadArguments(ctx, "add needs NAME and EVENTS");
    if (words[1].empty() || words[1].front() == ' ')
      return BadArguments(ctx, "add: the name is empty or starts with a blank");
    CliTexts texts(ctx.options.language_id);
    ErrorLines lines(ctx.err);
    std::string why;
    events = ParseMacroEvents({words.begin() + 2, words.end()}, {texts.Current(), texts.English()},
                              lines, why);
    if (!events) return BadArguments(ctx, "add: " + why);
  } else if (sub == "show" || sub == "delete") {
    if (words.size() != 2) return BadArguments(ctx, sub + " needs NAME");
  } else if (!words.empty()) {
    return BadArguments(ctx,
                        "expected nothing, 'show NAME', 'add NAME EVENTS...' or 'delete NAME'");
  }
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  if (!session->LoadKeys(status)) return status;
  if (sub == "add") return AddMacro(ctx, *session, words[1], *events);
  if (sub == "delete") return DeleteMacro(ctx, *session, words[1]);
  const MacroList list = session->State().working.Lock()->macro_list;
  if (sub.empty()) return ListMacros(ctx, list);
  const auto position = PositionOf(list, words[1]);
  if (!position) return BadArguments(ctx, "show: no macro named '" + words[1] + "'");
  return ShowMacro(ctx, list[*position], session->Texts());
}

}  // namespace quorlin::cli
