#pragma once
// The profile popup menu, shown by the main window's profile button and by
// a single click on the tray icon: the default entry, the three host copies
// with the Active profile checked, and an entry that opens the profile
// manager (the profile button shows this menu, so the manager is reached
// from here).

#include <QMenu>
#include <QPoint>

#include "profiles/profile_menu.h"
#include "ui/main/profile_dialog_host.h"

namespace quorlin::ui {

// The manager's entry; outside the range the profile entries use.
inline constexpr int kManageProfilesItemId = 9500;

// A menu of `model`'s entries (each action carries its id as data) and the
// manager's entry, owned by `parent`.
QMenu* MakeProfilePopupMenu(const profiles::ProfileMenu& model, const text::TextSource& texts,
                            QWidget* parent);

// What choosing entry `id` does: a profile entry switches the Active
// profile (the default entry leaves the keyboard as it is and only rebuilds
// the menu); the manager's entry opens the profile manager.
void RunProfileMenuItem(QWidget* window, ProfileDialogHost& host, int id);

// Rebuilds the menu from the host copies and the Active profile, shows it
// at `global_pos` and runs the chosen entry.
void ShowProfileMenu(QWidget* window, const QPoint& global_pos, ProfileDialogHost& host);

}  // namespace quorlin::ui
