#pragma once
// A main window that records what the flows asked of it and answers as the
// test says.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "flows/flow_view.h"

namespace quorlin::flows::testing {

class FakeFlowView : public FlowView {
 public:
  using FlowView::FlowView;

  // Answers
  std::deque<bool> answers;  // AskYesNo, then No when empty
  bool key_editor_open = false;
  bool recording = false;
  std::optional<std::filesystem::path> file_choice;

  // Record
  std::vector<std::string> calls;
  std::vector<std::string> messages;
  int last_key_view_page = -1;
  std::vector<profiles::KeyButtonState> last_key_view;
  std::optional<lighting::PanelView> last_panel;
  int buttons = -2;
  std::string profile_button;

  void ShowMessage(std::string_view text) override {
    messages.emplace_back(text);
    calls.push_back("message");
  }
  bool AskYesNo(std::string_view text) override {
    messages.emplace_back(text);
    calls.push_back("ask");
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void RefreshKeyView(int page, std::span<const profiles::KeyButtonState> b) override {
    last_key_view_page = page;
    last_key_view.assign(b.begin(), b.end());
  }
  bool KeyEditorOpen() const override { return key_editor_open; }
  bool MacroRecordingRunning() const override { return recording; }
  void StopMacroRecording() override {
    recording = false;
    calls.push_back("stop-recording");
  }
  void TriggerApply() override { calls.push_back("apply-command"); }
  void SetBusy(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
  void ShowFileDone(FileDone done, const std::filesystem::path& file) override {
    calls.push_back((done == FileDone::kBackedUp ? "backed-up:" : "restored:") +
                    file.filename().string());
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(
      const profiles::FileDialogRequest&) override {
    return file_choice;
  }
  std::optional<std::filesystem::path> ChooseFileToSave(
      const profiles::FileDialogRequest&) override {
    return file_choice;
  }
  void SetProfileButton(std::string_view text, std::string_view) override {
    profile_button = std::string(text);
  }
  bool ProfileManagerHasChanges() const override { return false; }
  void ProfileManagerShowActive(int) override {}
  void ShowModified(bool) override {}
  void RefreshLightingPanel(const lighting::PanelView& panel) override { last_panel = panel; }
  void ShowProfileButtons(int profile) override { buttons = profile; }
};

}  // namespace quorlin::flows::testing
