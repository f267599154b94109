#include <functional>
#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/session.h"
#include "lighting/lighting_record.h"
#include "lighting/mode_list.h"

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

// The panel event of a field, or an empty function with `why` set.
std::function<void(LightingPanel&, const lighting::PanelState&)> EventFor(
    const std::string& field, const std::string& value, const lighting::ModeList& modes,
    std::string& why) {
  if (field == "mode") {
    const auto mode = ParseNumber(value, 0, 255);
    const auto position = mode ? lighting::PositionOfMode(modes, *mode) : std::nullopt;
    if (!position) {
      why = "mode: " + value + " is not a mode this keyboard lists (see 'info')";
      return {};
    }
    return [p = *position](LightingPanel& panel, const auto&) { panel.SelectModeAt(p); };
  }
  if (field == "brightness" || field == "speed" || field == "report-rate" || field == "swatch") {
    const int high = field == "brightness" || field == "speed" ? 5 : 3;
    const auto n = ParseNumber(value, 0, high);
    if (!n) {
      why = field + ": '" + value + "' is not a number 0.." + std::to_string(high);
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
      why = "direction: '" + value + "' is not 0 (backward) or 255 (forward)";
      return {};
    }
    return [d](LightingPanel& p, const auto&) { p.ChooseDirection(static_cast<uint8_t>(*d)); };
  }
  if (field == "colourful") {
    const auto on = ParseNumber(value, 0, 1);
    if (!on) {
      why = "colourful: '" + value + "' is not 0 or 1";
      return {};
    }
    // The panel has a switch, not a setting: it is only flipped when needed.
    return [on](LightingPanel& p, const lighting::PanelState& s) {
      if (s.colourful != (*on == 1)) p.ToggleMultiColour();
    };
  }
  if (field == "colour") {
    const auto c = ParseColour(value);
    if (!c) {
      why = "colour: '" + value + "' is not #RRGGBB";
      return {};
    }
    return [c](LightingPanel& p, const auto&) { p.ChooseMainColour(*c); };
  }
  why = "unknown field '" + field +
        "' (mode, brightness, speed, direction, colourful, colour, report-rate, swatch)";
  return {};
}

void PrintRecord(CliContext& ctx, CliSession& session, int slot) {
  const auto r =
      lighting::DecodeRecord(session.State().lighting.records[static_cast<std::size_t>(slot)]);
  const std::string mode_name = session.Texts().ModeName(r.mode);
  if (ctx.options.json) {
    JsonWriter json(ctx.out);
    json.BeginObject()
        .Field("profile", slot + 1)
        .Field("mode", int{r.mode})
        .Field("mode_name", mode_name)
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
        .EndObject();
    return;
  }
  ctx.out << "profile      " << slot + 1 << '\n'
          << "mode         " << int{r.mode} << " (" << mode_name << ")\n"
          << "brightness   " << int{r.brightness} << '\n'
          << "speed        " << int{r.speed} << '\n'
          << "direction    " << int{r.direction} << '\n'
          << "colourful    " << int{r.colourful} << '\n'
          << "colour       " << ColourText(r.colour) << '\n'
          << "report-rate  " << int{r.report_rate} << '\n'
          << "swatch       " << int{r.swatch} << '\n'
          << "colour2      " << ColourText(r.colour2) << '\n'
          << "colourful2   " << int{r.colourful2} << '\n'
          << "colour3      " << ColourText(r.colour3) << '\n'
          << "colourful3   " << int{r.colourful3} << '\n';
}

int SetFields(CliContext& ctx, CliSession& session, const std::vector<std::string>& pairs) {
  if (pairs.empty()) return BadArguments(ctx, "set: no FIELD=VALUE given");
  std::vector<FieldChange> changes;
  for (const auto& pair : pairs) {
    const auto eq = pair.find('=');
    if (eq == std::string::npos) return BadArguments(ctx, "set: '" + pair + "' is not FIELD=VALUE");
    FieldChange change{pair.substr(0, eq), pair.substr(eq + 1), {}};
    std::string why;
    change.apply = EventFor(change.field, change.value, session.State().lighting.modes, why);
    if (!change.apply) return BadArguments(ctx, "set: " + why);
    changes.push_back(std::move(change));
  }
  ctx.tally.Reset();
  for (const auto& change : changes) {
    change.apply(session.Flows().Panel(), session.State().lighting.panel);
  }
  return ReportChange(ctx, "lighting set");
}

}  // namespace

int CommandLighting(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  std::optional<int> slot;
  std::string error;
  if (!TakeProfileOption(words, slot, error)) return BadArguments(ctx, error);
  const std::string sub = words.empty() ? std::string() : words.front();
  if (!sub.empty() && sub != "set" && sub != "defaults") {
    return BadArguments(ctx, "unknown subcommand '" + sub + "' (set, defaults)");
  }
  if (sub == "defaults" && words.size() > 1) return BadArguments(ctx, "defaults takes no values");
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
  ctx.tally.Reset();
  session->Flows().Panel().RestoreLightingDefaults();
  return ReportChange(ctx, "lighting defaults");
}

}  // namespace quorlin::cli
