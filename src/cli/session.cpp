#include "cli/session.h"

#include <ostream>

#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/messages.h"
#include "macros/macro_area_plan.h"
#include "platform/user_folders.h"

namespace quorlin::cli {

std::unique_ptr<CliSession> CliSession::Open(CliContext& ctx, int& status) {
  auto link = ConnectForCommand(ctx, status);
  if (!link) return nullptr;
  std::optional<std::filesystem::path> state_file;
  if (ctx.options.simulate && ctx.options.sim_state_file) state_file = *ctx.options.sim_state_file;
  auto locks = std::make_unique<flows::FlowLocks>(flows::FlowKeyboardKey(*link, state_file),
                                                  platform::CurrentUserFolders().data, kLockWait);
  if (!locks->Held()) {
    status = Fail(ctx, kExitFailure, KeyboardLockError(ctx, locks->Failure()));
    return nullptr;
  }
  return std::unique_ptr<CliSession>(new CliSession(ctx, std::move(link), std::move(locks)));
}

CliSession::CliSession(CliContext& ctx, std::unique_ptr<device::DeviceLink> link,
                       std::unique_ptr<flows::FlowLocks> locks)
    : locks_(std::move(locks)),
      ctx_(ctx),
      link_(std::move(link)),
      texts_(ctx.options.language_id),
      view_(state_, ctx) {
  flows_ = std::make_unique<flows::MainFlows>(
      flows::FlowParts{*link_, state_, texts_.Current(), view_, platform::CurrentUserFolders().data,
                       platform::ProgramDataDir()});
  // The GUI's first start prepares the data folder; a user who only ever
  // runs the command line gets the same folder.
  flows_->Store().EnsureDataFolder();
}

int CliSession::TargetSlot(std::optional<int> given) {
  if (given) return *given;
  const int active = link_->ActiveProfile();
  return active < 0 ? 0 : active;
}

bool CliSession::LoadLighting(int slot, int& status) {
  state_.lighting.edited_slot = slot;
  const device::Result r =
      flows_->Panel().ReadLighting({lighting::ViewFlagFromFile::kExact, false});
  status = ReportResult(ctx_, r, Say(ctx_, Msg("CLI_WHAT_READ_LIGHTING")));
  return status == kExitOk;
}

bool CliSession::LoadKeys(int& status) {
  const device::ActiveProfileLookup active = link_->LookUpActiveProfile();
  if (active.result != device::kOk) {
    status = ReportActiveProfileFailure(ctx_, active);
    return false;
  }
  ctx_.tally.Reset();
  const bool read = flows_->Store().ReloadFromKeyboard(false);
  status = ReportResult(ctx_, ctx_.tally.Outcome(), Say(ctx_, Msg("CLI_WHAT_READ_KEYS")));
  // Every frame may be answered and the contents still unusable (a macro
  // area whose size is unknown); the store has said so.
  if (!read && status == kExitOk) status = kExitFailure;
  return status == kExitOk;
}

bool CliSession::ApplyChanges(int slot) {
  bool applied = false;
  if (slot != link_->ActiveProfile()) {
    applied = flows_->ApplyAllProfiles();
  } else {
    view_.SetModified(true);
    applied = flows_->Apply();
  }
  if (applied) ReportDroppedNames();
  return applied;
}

// The apply has already shown the warning; a script also needs to know how
// full the area is to decide what to shorten.
void CliSession::ReportDroppedNames() {
  const macros::MacroList written = state_.applied.Lock()->macro_list;
  const int capacity = link_->MacroCapacity();
  const macros::MacroAreaPlan plan = macros::PlanMacroArea(written, capacity);
  if (plan.fit != macros::MacroAreaFit::kWithoutNames) return;
  Notice(ctx_, Say(ctx_, Msg("CLI_MACRO_NAMES_DROPPED", {{"size", std::to_string(plan.size)},
                                                         {"capacity", std::to_string(capacity)}})));
}

int CliSession::ReportApply(const Message& what, bool applied, int frames_before) {
  if (applied || ctx_.tally.Outcome() != device::kOk) return ReportChange(ctx_, what);
  if (ctx_.tally.FramesSent() == frames_before) {
    // Stopped before writing anything: the flow said why.
    const std::string& why = view_.LastMessage();
    return Fail(
        ctx_, kExitFailure,
        Msg("CLI_ERR_NOT_WRITTEN", {{"why", why.empty() ? Say(ctx_, Msg("CLI_NO_REASON")) : why}}));
  }
  const int active = link_->ActiveProfile();
  const auto file = flows_->Store().HostCopyPath(active < 0 ? 0 : active);
  return ReportChange(
      ctx_, what,
      Msg("CLI_ERR_HOST_COPY", {{"file", file.string()}, {"reason", WriteProblem(ctx_, file)}}));
}

}  // namespace quorlin::cli
