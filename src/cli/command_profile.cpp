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
  if (lookup.result != device::kOk) return ReportActiveProfileFailure(lookup, ctx.err);
  const int active = lookup.profile;
  if (ctx.options.json) {
    JsonWriter(ctx.out).BeginObject().Field("active_profile", active + 1).EndObject();
  } else {
    ctx.out << "Active profile: " << active + 1 << '\n';
  }
  return kExitOk;
}

// As the profile button does: that slot's lighting is read and its per-key
// colours sent, then it becomes the Active profile.
int SetActiveProfile(CliContext& ctx, CliSession& session, int slot) {
  ctx.tally.Reset();
  session.Flows().SelectProfileSlot(slot);
  const bool switched = session.Link().CachedActiveProfile() == slot;
  return ReportChange(ctx, "profile " + std::to_string(slot + 1) + " made active", switched);
}

}  // namespace

int CommandProfile(CliContext& ctx) {
  const auto words = CommandArgs(ctx);
  std::optional<int> slot;
  if (words.size() == 2 && words[0] == "set") {
    const auto number = ParseNumber(words[1], 1, 3);
    if (!number) return BadArguments(ctx, "set: '" + words[1] + "' is not a profile number 1..3");
    slot = *number - 1;
  } else if (!words.empty()) {
    return BadArguments(ctx, "expected nothing or 'set N' (see quorlinctl profile --help)");
  }
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  return slot ? SetActiveProfile(ctx, *session, *slot) : PrintActiveProfile(ctx, *session);
}

}  // namespace quorlin::cli
