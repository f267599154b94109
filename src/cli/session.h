#pragma once
// One command's run of the program: the keyboard connected, the program's
// state, the language files and the main window's flows over the user's
// data folder, exactly as the GUI holds them, so the two can be used side
// by side.

#include <chrono>
#include <memory>
#include <optional>

#include "cli/cli.h"
#include "cli/cli_texts.h"
#include "cli/cli_view.h"
#include "cli/messages.h"
#include "flows/flow_locks.h"
#include "flows/main_flows.h"
#include "flows/program_state.h"
#include "platform/process_lock.h"

namespace quorlin::cli {

// How long a command waits for another program's flow on the same keyboard
// or data folder before it gives up.
inline constexpr std::chrono::milliseconds kLockWait{std::chrono::minutes(2)};
// How long a command waits for a lock before it says what it waits for.
inline constexpr std::chrono::milliseconds kSilentLockWait{std::chrono::milliseconds(700)};

// Builds `lock` (a KeyboardLock or FlowLocks) with `make(wait)`: at once if
// it is free, else after saying on standard error that the command waits
// for another program, for up to kLockWait in all.
// `lock` is a std::optional or a std::unique_ptr of the lock.
template <typename Holder, typename Make>
void TakeLockSaying(CliContext& ctx, Holder& lock, Make make) {
  make(lock, kSilentLockWait);
  if (lock->Held() || lock->Failure().kind != platform::LockFailure::Kind::kHeldElsewhere) return;
  Notice(ctx, Say(ctx, Msg("CLI_WAITING_FOR_KEYBOARD")));
  lock.reset();
  make(lock, kLockWait - kSilentLockWait);
}

class CliSession {
 public:
  // Connects to the keyboard and holds it and the data folder for the
  // session, so a GUI or another run cannot change them between this
  // command's reads and writes; null (with `status` and the error line)
  // when that fails. Nothing is read beyond what connecting reads.
  static std::unique_ptr<CliSession> Open(CliContext& ctx, int& status);
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  device::DeviceLink& Link() { return *link_; }
  flows::ProgramState& State() { return state_; }
  flows::MainFlows& Flows() { return *flows_; }
  CliView& View() { return view_; }
  const text::TextSource& Texts() const { return texts_.Current(); }
  const text::TextSource& English() const { return texts_.English(); }

  // The profile a command edits: the one given with --profile, else the
  // Active profile (0 when the keyboard cannot tell).
  int TargetSlot(std::optional<int> given);

  // Reads the three Lighting records and the mode list, editing `slot`.
  // False (with the error line and `status`) when the keyboard does not answer.
  bool LoadLighting(int slot, int& status);
  // Reads the key tables and macros into the working store, as arrival does.
  bool LoadKeys(int& status);
  // The main window's Apply for pending key and macro changes. A change to
  // a profile that is not the active one goes with all three key tables,
  // since Apply writes only the active one. When the macro names did not
  // fit, says how much of the macro area the macros took.
  bool ApplyChanges(int slot);
  // The report of ApplyChanges: the keyboard's part and, when the flow
  // failed although the keyboard took everything, the program's copy of
  // the profile that could not be written, with the system's reason.
  // `frames_before` is the frame count when the apply began.
  int ReportApply(const Message& what, bool applied, int frames_before);

 private:
  CliSession(CliContext& ctx, std::unique_ptr<device::DeviceLink> link,
             std::unique_ptr<flows::FlowLocks> locks);
  void ReportDroppedNames();

  std::unique_ptr<flows::FlowLocks> locks_;  // first, so they are released last
  CliContext& ctx_;
  std::unique_ptr<device::DeviceLink> link_;
  CliTexts texts_;
  flows::ProgramState state_;
  CliView view_;
  std::unique_ptr<flows::MainFlows> flows_;
};

}  // namespace quorlin::cli
