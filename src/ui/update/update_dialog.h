#pragma once
// The firmware update dialog: choose the updater program, back up the key
// settings to a profile file, and Update, which asks the keyboard to enter
// its boot mode and starts the chosen program. Where the updater cannot run
// Update and Open are disabled and the dialog says why; Backup still works.

#include <QComboBox>
#include <array>
#include <filesystem>

#include "device/device_link.h"
#include "profiles/flow_view.h"
#include "profiles/profile_stores.h"
#include "text/text_source.h"
#include "ui/main/device_jobs.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/color_static.h"
#include "ui/skin/png_button.h"
#include "ui/update/program_starter.h"

namespace quorlin::ui {

// What the update dialog needs from the main window.
class UpdateDialogHost {
 public:
  virtual ~UpdateDialogHost() = default;
  virtual device::DeviceLink& Link() = 0;
  // What Backup saves.
  virtual profiles::WorkingStore& Working() = 0;
  // Messages and file choosers.
  virtual profiles::FlowView& View() = 0;
  virtual const text::TextSource& Texts() = 0;
  // The boot-mode frame and the backup run here.
  virtual DeviceJobs& Jobs() = 0;
  virtual std::filesystem::path SkinDir() const = 0;
  // Where Open's file chooser starts.
  virtual std::filesystem::path PackageDir() const = 0;
  virtual ProgramStarter& Starter() = 0;
  // UpdaterRunsOnThisPlatform(), unless a test says otherwise.
  virtual bool UpdaterCanRun() const = 0;
};

class CQuorlin_DlgUpdate : public CBaseDialog {
  Q_OBJECT

 public:
  CQuorlin_DlgUpdate(UpdateDialogHost& host, QWidget* parent);

  void OnInitDialog() override;

  // The buttons' commands.
  void OnOpen();
  void OnUpdate();
  void OnCancelUpdate();
  void OnBackup();

  // Kept while the program runs, so the dialog opened again still has it.
  const std::filesystem::path& ChosenUpdateFile() const { return chosen_; }
  ColorStatic* pathText() const { return path_; }
  CPngButton* button(const char* skin_key) const;
  // The note in the current language.
  void Relabel() { ShowChosenFile(); }

 private:
  void PlaceControls();
  void ShowChosenFile();
  void SetWorking(bool working);
  void StartChosenFile();

  UpdateDialogHost& host_;
  ColorStatic* path_;
  QComboBox* combo_;
  struct SkinButton {
    const char* key;
    CPngButton* button;
  };
  std::array<SkinButton, 4> buttons_;
  std::filesystem::path chosen_;
  bool working_ = false;
};

// The main window's update dialog, made on first use as its child.
CQuorlin_DlgUpdate& UpdateDialogOf(QWidget* window, UpdateDialogHost& host);
// Runs it modally ("Firmware update..." in the button menu).
int OpenUpdateDialog(QWidget* window, UpdateDialogHost& host);
// Closes an open update dialog, as its Cancel would (the program exits).
void CloseUpdateDialog(QWidget* window);
// A language switch: the dialog, once made, shows the new language at once.
void RelabelUpdateDialog(QWidget* window);

}  // namespace quorlin::ui
