#pragma once
// The places where dialogs built apart from the main window plug into it: the
// window calls these when the user asks for a dialog, and start-up fills them.
// Each dialog brings its own host interface for the state it needs.

#include <QPoint>
#include <QRect>
#include <functional>

#include "keys/key_code.h"

class QWidget;

namespace quorlin::ui {

struct KeyEditRequest {
  keys::KeyCode key = keys::kNoKey;  // the clicked key or G key
  QRect key_rect_global;             // where it is on screen, to place the editor beside it
  bool macro_only = false;           // G9 and the macro button open the macro page alone
};

struct MainWindowHooks {
  // A key of the keyboard view was clicked (or the macro button).
  std::function<void(QWidget* window, const KeyEditRequest&)> open_key_editor;
  // The profile button, or a single click on the tray icon.
  std::function<void(QWidget* window, const QPoint& global_pos)> show_profile_menu;
  // "Firmware update..." in the button menu.
  std::function<void(QWidget* window)> open_update_dialog;
  // The keyboard went away: a profile manager that is open closes.
  std::function<void()> close_profile_manager;
  // Exit asks the open child dialogs first; false keeps the program running.
  std::function<bool()> close_child_dialogs;

  // What the window's flows ask about those dialogs; unset, none is open.
  // The window calls them on its own thread.
  std::function<bool()> key_editor_open;
  std::function<bool()> profile_manager_open;
  std::function<bool()> macro_recording_running;
  std::function<void()> stop_macro_recording;
  std::function<bool()> profile_manager_has_changes;
  std::function<void(int profile)> profile_manager_show_active;
  // The language changed: open dialogs take the texts of this index.
  std::function<void(int language_index)> relabel_dialogs;

  // "Automatic profiles..." in the tray and button menus; unset, the items
  // are hidden.
  std::function<void(QWidget* window)> open_auto_profiles;
  // quorlinctl changed the automatic-profile rules (the RULES request).
  std::function<void()> auto_profile_rules_changed;
};

}  // namespace quorlin::ui
