#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "cli/session.h"

namespace quorlin::cli {

namespace {

int PrintActiveProfile(CliContext& ctx, CliSession& session) {
  const device::ActiveProfileLookup lookup = session.Link().LookUpActiveProfile();
  if (lookup.result != device::kOk) return ReportActiveProfileFailure(ctx, lookup);
  const int active = lookup.profile;
  if (ctx.options.json) {
    JsonWriter(ctx.out).BeginObject().Field("active_profile", active + 1).EndObject();
  } else {
    ctx.out << Say(ctx, Msg("CLI_ACTIVE_PROFILE", {{"profile", std::to_string(active + 1)}}))
            << '\n';
  }
  return kExitOk;
}

// As the profile button does: that slot's lighting is read and its per-key
// colours sent, then it becomes the Active profile.
int SetActiveProfile(CliContext& ctx, CliSession& session, int slot) {
  ctx.tally.Reset();
  session.Flows().SelectProfileSlot(slot);
  const Message what = Msg("CLI_DONE_PROFILE_SET", {{"profile", std::to_string(slot + 1)}});
  if (ctx.tally.Outcome() == device::kOk && session.Link().CachedActiveProfile() != slot) {
    return Fail(ctx, kExitFailure,
                Msg("CLI_ERR_NOT_WRITTEN", {{"why", Say(ctx, Msg("CLI_ERR_PROFILE_NOT_ACTIVE"))}}));
  }
  return ReportChange(ctx, what);
}

}  // namespace

int CommandProfile(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  Message why;
  if (!FinishOptions(words, why)) return BadArguments(ctx, why);
  std::optional<int> slot;
  if (words.size() == 2 && words[0] == "set") {
    const auto number = ParseNumber(words[1], 1, 3);
    if (!number) return BadArguments(ctx, Msg("CLI_ERR_PROFILE_SET", {{"value", words[1]}}));
    slot = *number - 1;
  } else if (!words.empty()) {
    return BadArguments(ctx, Msg("CLI_ERR_PROFILE_USAGE"));
  }
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  return slot ? SetActiveProfile(ctx, *session, *slot) : PrintActiveProfile(ctx, *session);
}

}  // namespace quorlin::cli
