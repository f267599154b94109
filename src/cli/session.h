#pragma once
// One command's run of the program: the keyboard connected, the program's
// state, the language files and the main window's flows over the user's
// data folder, exactly as the GUI holds them, so the two can be used side
// by side.

#include <memory>
#include <optional>

#include "cli/cli.h"
#include "cli/cli_texts.h"
#include "cli/cli_view.h"
#include "flows/main_flows.h"
#include "flows/program_state.h"

namespace quorlin::cli {

class CliSession {
 public:
  // Connects to the keyboard; null (with `status` and the error line) when
  // that fails. Nothing is read beyond what connecting reads.
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
  // since Apply writes only the active one.
  bool ApplyChanges(int slot);
  // The report of ApplyChanges: the keyboard's part and, when the flow
  // failed although the keyboard took everything, the program's copy of
  // the profile that could not be written, with the system's reason.
  // `frames_before` is the frame count when the apply began.
  int ReportApply(const Message& what, bool applied, int frames_before);

 private:
  CliSession(CliContext& ctx, std::unique_ptr<device::DeviceLink> link);

  CliContext& ctx_;
  std::unique_ptr<device::DeviceLink> link_;
  CliTexts texts_;
  flows::ProgramState state_;
  CliView view_;
  std::unique_ptr<flows::MainFlows> flows_;
};

}  // namespace quorlin::cli
