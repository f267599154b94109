// quorlinctl auto-profile: the rules that switch the keyboard's profile
// with the application in focus. Only the settings change here; a running
// window is told to read them again.

#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "flows/auto_profile_rules.h"
#include "platform/user_folders.h"

namespace quorlin::cli {

namespace {

using flows::AutoProfileSettings;

std::string ProfileNumber(int profile) {
  return std::to_string(profile + 1);
}

void WriteSettingsJson(JsonWriter& json, const AutoProfileSettings& s) {
  json.Field("enabled", s.enabled).Key("fallback");
  if (s.fallback) {
    json.Int(*s.fallback + 1);
  } else {
    json.Null();
  }
  json.Key("rules").BeginArray();
  for (const auto& rule : s.rules) {
    json.BeginObject().Field("app", rule.app).Field("profile", rule.profile + 1).EndObject();
  }
  json.EndArray().Key("unreadable").BeginArray();
  for (const auto& line : s.unreadable) json.String(line);
  json.EndArray();
}

int List(CliContext& ctx, const AutoProfileSettings& s) {
  if (ctx.options.json) {
    JsonWriter json(ctx.out);
    json.BeginObject();
    WriteSettingsJson(json, s);
    json.EndObject();
    return kExitOk;
  }
  ctx.out << Say(ctx, Msg(s.enabled ? "CLI_AUTO_STATE_ON" : "CLI_AUTO_STATE_OFF")) << '\n';
  ctx.out << Say(ctx, s.fallback
                          ? Msg("CLI_AUTO_FALLBACK", {{"profile", ProfileNumber(*s.fallback)}})
                          : Msg("CLI_AUTO_FALLBACK_NONE"))
          << '\n';
  if (s.rules.empty()) ctx.out << Say(ctx, Msg("CLI_AUTO_NO_RULES")) << '\n';
  for (const auto& rule : s.rules) {
    ctx.out << "  "
            << Say(ctx, Msg("CLI_AUTO_RULE",
                            {{"app", rule.app}, {"profile", ProfileNumber(rule.profile)}}))
            << '\n';
  }
  for (const auto& line : s.unreadable) {
    ctx.out << "  " << Say(ctx, Msg("CLI_AUTO_UNREADABLE", {{"line", line}})) << '\n';
  }
  return kExitOk;
}

// After the store took the change: what was done, and the rules as they
// now stand under --json.
int Done(CliContext& ctx, const Message& what, const AutoProfileSettings& s) {
  ctx.changed_auto_profiles = true;
  if (!ctx.options.json) {
    ctx.out << Say(ctx, what) << '\n';
    return kExitOk;
  }
  JsonWriter json(ctx.out);
  json.BeginObject()
      .Field("command", "auto-profile " + ctx.options.command.at(1))
      .Field("done", Say(ctx, what));
  WriteSettingsJson(json, s);
  json.EndObject();
  return kExitOk;
}

int NotWritten(CliContext& ctx) {
  const auto file = platform::SettingsFilePath();
  return Fail(
      ctx, kExitFailure,
      Msg("CLI_ERR_CANNOT_WRITE", {{"file", file.string()}, {"reason", WriteProblem(ctx, file)}}));
}

}  // namespace

int CommandAutoProfile(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  Message why;
  if (!FinishOptions(words, why)) return BadArguments(ctx, why);
  platform::IniSettingsStore store = platform::UserSettingsStore();
  AutoProfileSettings s = flows::LoadAutoProfiles(store);
  const std::string sub = words.empty() ? "list" : words[0];

  if (sub == "list" && words.size() <= 1) return List(ctx, s);
  if ((sub == "on" || sub == "off") && words.size() == 1) {
    s.enabled = sub == "on";
    if (!flows::SaveAutoProfileEnabled(store, s.enabled)) return NotWritten(ctx);
    return Done(ctx, Msg(s.enabled ? "CLI_AUTO_DONE_ON" : "CLI_AUTO_DONE_OFF"), s);
  }
  if (sub == "fallback" && words.size() == 2) {
    if (!flows::ParseFallback(words[1], &s.fallback))
      return BadArguments(ctx, Msg("CLI_AUTO_ERR_FALLBACK", {{"value", words[1]}}));
    if (!flows::SaveAutoProfileFallback(store, s.fallback)) return NotWritten(ctx);
    return Done(ctx, Msg("CLI_AUTO_DONE_FALLBACK", {{"fallback", flows::FallbackText(s.fallback)}}),
                s);
  }
  if (sub == "add" && words.size() == 3) {
    const std::string& app = words[1];
    std::string why_key;
    if (!flows::ValidAppName(app, &why_key)) {
      return BadArguments(ctx,
                          Msg("CLI_AUTO_ERR_APP", {{"app", app}, {"why", Say(ctx, Msg(why_key))}}));
    }
    const auto number = ParseNumber(words[2], 1, 3);
    if (!number) return BadArguments(ctx, Msg("CLI_AUTO_ERR_PROFILE", {{"value", words[2]}}));
    const bool added = flows::SetRule(s, app, *number - 1);
    if (s.rules.size() + s.unreadable.size() >
        static_cast<std::size_t>(flows::kMostAutoProfileRules))
      return Fail(ctx, kExitFailure, Msg("CLI_AUTO_ERR_FULL"));
    if (!flows::SaveAutoProfileRules(store, s)) return NotWritten(ctx);
    return Done(ctx,
                Msg(added ? "CLI_AUTO_DONE_ADD" : "CLI_AUTO_DONE_CHANGE",
                    {{"app", app}, {"profile", words[2]}}),
                s);
  }
  if (sub == "remove" && words.size() == 2) {
    if (!flows::RemoveRule(s, words[1]))
      return Fail(ctx, kExitFailure, Msg("CLI_AUTO_ERR_NO_RULE", {{"app", words[1]}}));
    if (!flows::SaveAutoProfileRules(store, s)) return NotWritten(ctx);
    return Done(ctx, Msg("CLI_AUTO_DONE_REMOVE", {{"app", words[1]}}), s);
  }
  return BadArguments(ctx, Msg("CLI_AUTO_ERR_USAGE"));
}

}  // namespace quorlin::cli
