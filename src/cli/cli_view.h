#pragma once
// The window the flows talk to, as a terminal: messages go to standard
// error, questions are answered by --yes (Yes) or its absence (No) and the
// answer is printed, and there is nothing to refresh. Files come from the
// command's arguments, never from a dialog.

#include <iosfwd>

#include "flows/flow_view.h"

namespace quorlin::cli {

class CliView final : public flows::FlowView {
 public:
  CliView(flows::ProgramState& state, std::ostream& err, bool answer_yes)
      : FlowView(state), err_(err), answer_yes_(answer_yes) {}

  void ShowMessage(std::string_view text) override;
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
  std::ostream& err_;
  bool answer_yes_;
};

}  // namespace quorlin::cli
