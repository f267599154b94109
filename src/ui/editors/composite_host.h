#pragma once
// What the key editor needs from the window that opens it. The main window
// implements it; tests pass a fake.

#include <optional>
#include <string>
#include <string_view>

#include "flows/program_state.h"
#include "macros/message_view.h"
#include "platform/settings_store.h"
#include "text/text_source.h"

namespace quorlin::ui {

class CompositeHost {
 public:
  virtual ~CompositeHost() = default;

  // Working store, Macro-deleted flag and the window's modified flag.
  virtual flows::ProgramState& State() = 0;
  // The keyboard's Active profile 0..2, read when the editor opens; nothing
  // when it cannot be read (no keyboard, or it does not answer).
  virtual std::optional<int> ActiveProfile() = 0;
  // Every key and G-key button's assigned face and tooltip from the
  // working store.
  virtual void RefreshKeyMarks() = 0;
  // The main window's Apply becomes enabled.
  virtual void MarkModified() = 0;
  // The source key's highlighted look while the editor is open for it.
  virtual void HighlightSourceKey(bool /*on*/) {}

  virtual platform::SettingsStore& Settings() = 0;
  // Texts in the current language.
  virtual const text::TextSource& Texts() = 0;
  // A text of the language with this Language index, for re-labelling.
  virtual std::string LangText(std::string_view key, int language_index) = 0;
  virtual int LanguageIndex() = 0;
  // Message boxes and Yes/No questions.
  virtual macros::MessageView& Messages() = 0;
  // The help pages (F1).
  virtual void OpenHelp() = 0;
};

}  // namespace quorlin::ui
