#pragma once
// The window the flows talk to, as a terminal: messages go to standard
// error (JSON objects under --json), questions are answered by --yes (Yes)
// or its absence (No) and the answer is printed, and there is nothing to
// refresh. Files come from the command's arguments, never from a dialog.

#include <iosfwd>
#include <string>

#include "cli/cli.h"
#include "flows/flow_view.h"

namespace quorlin::cli {

class CliView final : public flows::FlowView {
 public:
  CliView(flows::ProgramState& state, CliContext& ctx) : FlowView(state), ctx_(ctx) {}

  void ShowMessage(std::string_view text) override;
  // The last message shown: why a flow that answered false stopped.
  const std::string& LastMessage() const { return last_message_; }
  bool AskYesNo(std::string_view text) override;
  void RefreshKeyView(int, std::span<const profiles::KeyButtonState>) override {}
  bool KeyEditorOpen() const override { return false; }
  bool MacroRecordingRunning() const override { return false; }
  void StopMacroRecording() override {}
  void TriggerApply() override {}
  void SetBusy(bool) override {}
  std::optional<std::filesystem::path> ChooseFileToOpen(
      const profiles::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> ChooseFileToSave(
      const profiles::FileDialogRequest&) override {
    return std::nullopt;
  }
  void SetProfileButton(std::string_view, std::string_view) override {}
  bool ProfileManagerHasChanges() const override { return false; }
  void ProfileManagerShowActive(int) override {}
  void ShowModified(bool) override {}
  void RefreshLightingPanel(const lighting::PanelView&) override {}
  void ShowProfileButtons(int) override {}

 private:
  CliContext& ctx_;
  std::string last_message_;
};

}  // namespace quorlin::cli
