#include <algorithm>
#include <functional>
#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "cli/session.h"
#include "lighting/lighting_record.h"
#include "lighting/mode_list.h"
#include "lighting/user_lighting_files.h"
#include "platform/user_folders.h"

namespace quorlin::cli {

namespace {

using lighting::LightingPanel;

// One FIELD=VALUE, checked and turned into the panel event it stands for.
struct FieldChange {
  std::string field;
  std::string value;
  std::function<void(LightingPanel&, const lighting::PanelState&)> apply;
};

std::optional<int> ParseDirection(const std::string& v) {
  if (v == "forward") return lighting::kDirectionForward;
  if (v == "backward") return lighting::kDirectionBackward;
  const auto n = ParseNumber(v, 0, 255);
  if (n && (*n == lighting::kDirectionForward || *n == lighting::kDirectionBackward)) return n;
  return std::nullopt;
}

// Fields the record carries for the keyboard's own use: printed, but no
// control of the panel writes them, so neither does this tool.
constexpr std::string_view kKeptFields[] = {"colour2", "colourful2", "colour3", "colourful3"};

bool IsKeptField(std::string_view field) {
  return std::find(std::begin(kKeptFields), std::end(kKeptFields), field) != std::end(kKeptFields);
}

// The panel event of a field, or an empty function with `why` set.
std::function<void(LightingPanel&, const lighting::PanelState&)> EventFor(
    const std::string& field, const std::string& value, const lighting::ModeList& modes,
    Message& why) {
  if (field == "mode") {
    const auto mode = ParseNumber(value, 0, 255);
    const auto position = mode ? lighting::PositionOfMode(modes, *mode) : std::nullopt;
    if (!position) {
      why = Msg("CLI_ERR_MODE", {{"value", value}});
      return {};
    }
    return [p = *position](LightingPanel& panel, const auto&) { panel.SelectModeAt(p); };
  }
  if (field == "brightness" || field == "speed" || field == "report-rate" || field == "swatch") {
    const int high = field == "brightness" || field == "speed" ? 5 : 3;
    const auto n = ParseNumber(value, 0, high);
    if (!n) {
      why = NumberProblem(field, value, 0, high);
      return {};
    }
    if (field == "brightness") return [n](LightingPanel& p, const auto&) { p.MoveBrightness(*n); };
    // The speed slider runs the other way round: position 5 is speed 0.
    if (field == "speed") return [n](LightingPanel& p, const auto&) { p.MoveSpeed(5 - *n); };
    if (field == "swatch") return [n](LightingPanel& p, const auto&) { p.ChooseSwatch(*n); };
    return [n](LightingPanel& p, const auto&) { p.ChooseReportRate(*n); };
  }
  if (field == "direction") {
    const auto d = ParseDirection(value);
    if (!d) {
      why = Msg("CLI_ERR_DIRECTION", {{"value", value}});
      return {};
    }
    return [d](LightingPanel& p, const auto&) { p.ChooseDirection(static_cast<uint8_t>(*d)); };
  }
  if (field == "colourful") {
    // The record keeps the flag as 255; 1 is what a user types.
    const auto n = ParseNumber(value, 0, 255);
    if (!n || (*n != 0 && *n != 1 && *n != 255)) {
      why = Msg("CLI_ERR_COLOURFUL", {{"value", value}});
      return {};
    }
    const bool on = *n != 0;
    // The panel has a switch, not a setting: it is only flipped when needed.
    return [on](LightingPanel& p, const lighting::PanelState& s) {
      if (s.colourful != on) p.ToggleMultiColour();
    };
  }
  if (field == "colour") {
    const auto c = ParseColour(value);
    if (!c) {
      why = Msg("CLI_ERR_COLOUR", {{"value", value}});
      return {};
    }
    return [c](LightingPanel& p, const auto&) { p.ChooseMainColour(*c); };
  }
  if (IsKeptField(field)) {
    why = Msg("CLI_ERR_KEPT_FIELD", {{"field", field}});
    return {};
  }
  why = Msg("CLI_ERR_UNKNOWN_FIELD", {{"field", field}});
  return {};
}

void PrintRecord(CliContext& ctx, CliSession& session, int slot) {
  const auto r =
      lighting::DecodeRecord(session.State().lighting.records[static_cast<std::size_t>(slot)]);
  const std::string mode_text = session.Texts().ModeName(r.mode);
  if (ctx.options.json) {
    JsonWriter json(ctx.out);
    json.BeginObject()
        .Field("profile", slot + 1)
        .Field("mode", int{r.mode})
        .Field("mode_name", session.English().ModeName(r.mode))
        .Field("mode_text", mode_text)
        .Field("brightness", int{r.brightness})
        .Field("speed", int{r.speed})
        .Field("direction", int{r.direction})
        .Field("colourful", int{r.colourful})
        .Field("colour", ColourText(r.colour))
        .Field("report-rate", int{r.report_rate})
        .Field("swatch", int{r.swatch})
        .Field("colour2", ColourText(r.colour2))
        .Field("colourful2", int{r.colourful2})
        .Field("colour3", ColourText(r.colour3))
        .Field("colourful3", int{r.colourful3})
        .Key("read_only")
        .BeginArray();
    for (const auto field : kKeptFields) json.String(field);
    json.EndArray().EndObject();
    return;
  }
  const std::string kept = "  (" + Say(ctx, Msg("CLI_LIGHTING_KEPT")) + ")";
  ctx.out << "profile      " << slot + 1 << '\n'
          << "mode         " << int{r.mode} << " (" << mode_text << ")\n"
          << "brightness   " << int{r.brightness} << '\n'
          << "speed        " << int{r.speed} << '\n'
          << "direction    " << int{r.direction} << '\n'
          << "colourful    " << int{r.colourful} << '\n'
          << "colour       " << ColourText(r.colour) << '\n'
          << "report-rate  " << int{r.report_rate} << '\n'
          << "swatch       " << int{r.swatch} << '\n'
          << "colour2      " << ColourText(r.colour2) << kept << '\n'
          << "colourful2   " << int{r.colourful2} << kept << '\n'
          << "colour3      " << ColourText(r.colour3) << kept << '\n'
          << "colourful3   " << int{r.colourful3} << kept << '\n';
}

int SetFields(CliContext& ctx, CliSession& session, const std::vector<std::string>& pairs) {
  if (pairs.empty()) return BadArguments(ctx, Msg("CLI_ERR_SET_NO_FIELD"));
  std::vector<FieldChange> changes;
  for (const auto& pair : pairs) {
    const auto eq = pair.find('=');
    if (eq == std::string::npos) {
      return BadArguments(ctx, Msg("CLI_ERR_NOT_FIELD_VALUE", {{"word", pair}}));
    }
    FieldChange change{pair.substr(0, eq), pair.substr(eq + 1), {}};
    Message why;
    change.apply = EventFor(change.field, change.value, session.State().lighting.modes, why);
    if (!change.apply) return BadArguments(ctx, why);
    changes.push_back(std::move(change));
  }
  ctx.tally.Reset();
  for (const auto& change : changes) {
    change.apply(session.Flows().Panel(), session.State().lighting.panel);
  }
  return ReportChange(ctx, Msg("CLI_DONE_LIGHTING_SET"));
}

}  // namespace

int CommandLighting(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  std::optional<int> slot;
  Message error;
  if (!TakeProfileOption(words, slot, error) || !FinishOptions(words, error)) {
    return BadArguments(ctx, error);
  }
  const std::string sub = words.empty() ? std::string() : words.front();
  if (!sub.empty() && sub != "set" && sub != "defaults") {
    return BadArguments(ctx, Msg("CLI_ERR_LIGHTING_SUB", {{"word", sub}}));
  }
  if (sub == "defaults" && words.size() > 1) {
    return BadArguments(ctx, Msg("CLI_ERR_DEFAULTS_ARGS", {{"word", words[1]}}));
  }
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  const int edited = session->TargetSlot(slot);
  if (!session->LoadLighting(edited, status)) return status;
  if (sub.empty()) {
    PrintRecord(ctx, *session, edited);
    return kExitOk;
  }
  if (sub == "set") return SetFields(ctx, *session, {words.begin() + 1, words.end()});
  // The defaults replace what the user set up, so they are asked for.
  const std::string profile = std::to_string(edited + 1);
  if (!session->View().AskYesNo(
          Say(ctx, Msg("CLI_ASK_LIGHTING_DEFAULTS", {{"profile", profile}})))) {
    return Fail(ctx, kExitFailure, Msg("CLI_NOTHING_CHANGED"));
  }
  ctx.tally.Reset();
  bool user_file_written = true;
  session->Flows().Panel().RestoreLightingDefaults(&user_file_written);
  std::optional<Message> problem;
  if (!user_file_written) {
    const auto file = lighting::UserSettingsFile(
        lighting::MakeUserLightingPaths(platform::CurrentUserFolders().data,
                                        platform::ProgramDataDir()),
        edited);
    problem = Msg("CLI_ERR_DEFAULT_USER_FILE",
                  {{"file", file.string()}, {"reason", WriteProblem(ctx, file)}});
  }
  return ReportChange(ctx, Msg("CLI_DONE_LIGHTING_DEFAULTS", {{"profile", profile}}), problem);
}

}  // namespace quorlin::cli
