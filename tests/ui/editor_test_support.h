#pragma once
// The key editor's tests: a main window stand-in that records what the
// editor asked of it, and key events as a real keyboard delivers them.

#include <QKeyEvent>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "flows/program_state.h"
#include "platform/temp_folder.h"
#include "skin_test_support.h"
#include "ui/editors/composite_host.h"

namespace quorlin::ui::testing {

// Texts come back as their keys, so tests can tell which one was used.
class KeyTexts : public text::TextSource {
 public:
  std::string Text(std::string_view key) const override { return std::string(key); }
  std::string LightText(std::string_view key) const override { return std::string(key); }
  std::string ModeName(int mode) const override { return std::to_string(mode); }
};

class RecordingMessages : public macros::MessageView {
 public:
  std::deque<bool> answers;  // then No
  std::vector<std::string> shown;
  void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
  bool AskYesNo(std::string_view text) override {
    shown.emplace_back(text);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class FakeHost : public CompositeHost {
 public:
  FakeHost() : settings(folder.path() / "settings.ini") {}

  flows::ProgramState& State() override { return *state; }
  std::optional<int> ActiveProfile() override { return active_profile; }
  void RefreshKeyMarks() override { ++refreshes; }
  void MarkModified() override { ++marked_modified; }
  platform::SettingsStore& Settings() override { return settings; }
  const text::TextSource& Texts() override { return texts; }
  std::string LangText(std::string_view key, int index) override {
    // A template keeps its placeholder, so what fills it shows.
    if (key == "KEY_SETTING_FOR") return "KEY_SETTING_FOR %s";
    return std::string(key) + (index == 0 ? "" : "@" + std::to_string(index));
  }
  int LanguageIndex() override { return 0; }
  macros::MessageView& Messages() override { return messages; }
  void OpenHelp() override { ++help_opened; }

  TempFolder folder;
  std::unique_ptr<flows::ProgramState> state = std::make_unique<flows::ProgramState>();
  std::optional<int> active_profile = 1;
  platform::IniSettingsStore settings;
  KeyTexts texts;
  RecordingMessages messages;
  int refreshes = 0;
  int marked_modified = 0;
  int help_opened = 0;
};

// A key event of the X11 and Wayland kind: native scan code = evdev + 8,
// native virtual key = the key symbol.
inline QKeyEvent NativeKey(QEvent::Type type, uint16_t evdev, bool repeat = false,
                           uint32_t keysym = 0, Qt::KeyboardModifiers modifiers = {}) {
  return QKeyEvent(type, Qt::Key_unknown, modifiers, evdev + 8u, keysym, 0, QString(), repeat);
}

}  // namespace quorlin::ui::testing
