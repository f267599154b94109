#pragma once
// The profile manager: the three host copies and any profile files the user
// lists beside them, one of them checked as the keyboard's Active profile.
// Apply records the list in the settings store, makes the checked host copy
// the Active profile and reloads the keyboard's contents. The dialog lives
// as a child of the main window and is shown modally on demand.

#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <array>

#include "ui/main/profile_dialog_host.h"
#include "ui/main/profile_rows.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/png_button.h"

namespace quorlin::ui {

class CQuorlin_DlgProfile : public CBaseDialog {
  Q_OBJECT

 public:
  // The list's column titles are the program's own and stay as they are;
  // the language file names them beside and in their tooltips.
  static constexpr std::array<const char*, 3> kColumnTitles = {"激活", "名称", "路径"};
  static constexpr std::array<const char*, 3> kColumnTextKeys = {
      "PROFILE_COLUMN_ACTIVE", "PROFILE_COLUMN_NAME", "PROFILE_COLUMN_PATH"};
  static constexpr std::array<int, 3> kColumnWidths = {60, 120, 230};

  CQuorlin_DlgProfile(ProfileDialogHost& host, QWidget* parent);

  // Raises the open count, places the controls, takes the texts of the
  // current language and fills the list.
  void OnInitDialog() override;
  // Every way of closing (OK, Cancel, Escape, the keyboard going away)
  // lowers the open count once.
  void done(int result) override;

  bool IsOpen() const { return open_; }
  // Open with changes that Apply has not taken yet.
  bool HasUnappliedChanges() const { return open_ && rows_.modified; }
  // A profile switch elsewhere: check `profile`'s row and drop the changes.
  void ShowActive(int profile);
  const ProfileRows& Rows() const { return rows_; }
  // Captions, tooltips and column words in the current language.
  void Relabel();

  // The buttons' commands.
  void OnLoad();
  void OnAdd();
  void OnDelete();
  void OnApply();
  void OnOK();
  void OnCancel();

  QTableWidget* list() const { return list_; }
  CPngButton* button(const char* skin_key) const;

 private:
  void PlaceControls();
  void ApplyTexts();
  void FillFromHostCopies(int active_profile);
  std::array<std::filesystem::path, 3> HostCopies();
  void RebuildList();
  void SyncChecks();
  void ShowModified();
  void OnItemChanged(QTableWidgetItem* item);
  std::optional<int> SelectedRow() const;
  void RunApply(bool close_after);
  void FinishApply(int active_profile, bool close_after);
  void SetWorking(bool working);

  ProfileDialogHost& host_;
  QTableWidget* list_;
  QLabel* title_;  // beside the word mark in the title strip
  struct SkinButton {
    const char* key;
    CPngButton* button;
  };
  std::array<SkinButton, 6> buttons_;
  ProfileRows rows_;
  bool open_ = false;
  bool working_ = false;
  // Set while the list is being redrawn from the rows, so the check boxes'
  // own change signals are not taken for the user's clicks.
  bool syncing_ = false;
};

// The main window's profile manager, made on first use as its child.
CQuorlin_DlgProfile& ProfileManagerOf(QWidget* window, ProfileDialogHost& host);
// Runs the profile manager modally; returns how it closed.
int OpenProfileManager(QWidget* window, ProfileDialogHost& host);
// For the main window's flow view: whether an open manager has unapplied
// changes, and showing a switched profile in it.
bool ProfileManagerHasChanges(QWidget* window);
bool ProfileManagerOpen(QWidget* window);
void ProfileManagerShowActive(QWidget* window, int profile);
// The keyboard went away, or the program exits: an open manager is
// cancelled. The manager never refuses to close.
void CloseProfileManager(QWidget* window);
// A language switch: the manager, once made, shows the new language at once.
void RelabelProfileManager(QWidget* window);

}  // namespace quorlin::ui
