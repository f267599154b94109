#pragma once
// What the profile flows need from the main window: prompts, the key view,
// the modified flag and the profile button. The UI implements it; tests
// fake it. Later flows extend it.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macros/message_view.h"

namespace quorlin::profiles {

// One key or G-key button of the key view.
struct KeyButtonState {
  int key_index = 0;      // 256..264 for G-keys 1..9
  bool assigned = false;  // checked, with the assigned face
  std::string tooltip;

  friend bool operator==(const KeyButtonState&, const KeyButtonState&) = default;
};

struct FileFilter {
  std::string label;    // "(*.qlf)"
  std::string pattern;  // "*.qlf"
};

struct FileDialogRequest {
  std::string default_extension;  // without the dot
  std::filesystem::path initial;  // folder and/or file name shown first
  std::vector<FileFilter> filters;
  bool confirm_overwrite = false;  // save dialogs only
};

class FlowView : public macros::MessageView {
 public:
  // Shows the buttons' states for on-board profile `profile`.
  virtual void RefreshKeyView(int profile, std::span<const KeyButtonState> buttons) = 0;

  // The main window's modified flag; Apply is enabled while it is set.
  virtual bool Modified() const = 0;
  virtual void SetModified(bool modified) = 0;

  virtual bool KeyEditorOpen() const = 0;
  virtual bool MacroRecordingRunning() const = 0;
  // Asks the recorder to stop and returns once it has stopped.
  virtual void StopMacroRecording() = 0;

  // Runs the main window's Apply command, as its button does.
  virtual void TriggerApply() = 0;
  virtual void SetBusy(bool busy) = 0;

  // Nothing when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& r) = 0;
  virtual std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& r) = 0;

  virtual void SetProfileButton(std::string_view text, std::string_view tooltip) = 0;

  // The profile manager dialog, when it is open: whether it holds changes
  // not yet applied, and showing `profile` as the active row (its changes
  // then count as settled). Without the dialog: false, and nothing.
  virtual bool ProfileManagerHasChanges() const = 0;
  virtual void ProfileManagerShowActive(int profile) = 0;
};

}  // namespace quorlin::profiles
