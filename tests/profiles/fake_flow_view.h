#pragma once
// A FlowView that records what the flows asked of it and answers as the
// test says.

#include <functional>
#include <string>
#include <vector>

#include "profiles/flow_view.h"

namespace quorlin::profiles::testing {

class FakeFlowView : public FlowView {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    if (on_question) on_question();
    return answer_yes;
  }

  void RefreshKeyView(int profile, std::span<const KeyButtonState> buttons) override {
    shown_profile = profile;
    shown_buttons.assign(buttons.begin(), buttons.end());
    ++refreshes;
  }
  bool Modified() const override { return modified; }
  void SetModified(bool value) override { modified = value; }
  bool KeyEditorOpen() const override { return key_editor_open; }
  bool MacroRecordingRunning() const override { return recording; }
  void StopMacroRecording() override {
    recording = false;
    ++recordings_stopped;
  }
  void TriggerApply() override { ++applies; }
  void SetBusy(bool on) override { busy = on; }
  std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest&) override {
    return chosen_file;
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest&) override {
    return chosen_file;
  }
  void SetProfileButton(std::string_view text, std::string_view tooltip) override {
    button_text = text;
    button_tooltip = tooltip;
  }
  bool ProfileManagerHasChanges() const override { return manager_changes; }
  void ProfileManagerShowActive(int profile) override { manager_row = profile; }

  // Answers and states the test sets.
  bool answer_yes = false;
  std::function<void()> on_question;
  bool modified = false;
  bool key_editor_open = false;
  bool recording = false;
  bool manager_changes = false;
  std::optional<std::filesystem::path> chosen_file;

  // What the flows did.
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  int shown_profile = -1;
  std::vector<KeyButtonState> shown_buttons;
  int refreshes = 0;
  int recordings_stopped = 0;
  int applies = 0;
  bool busy = false;
  std::string button_text;
  std::string button_tooltip;
  int manager_row = -1;
};

}  // namespace quorlin::profiles::testing
