#pragma once
// The key editor, the profile manager with its popup menu and the firmware
// update dialog are built apart from the main window. This ties them to it:
// one object answers what each dialog asks of the window, and the window's
// hooks open, question and close them.

#include <optional>
#include <string>
#include <string_view>

#include "app/quorlin_app.h"
#include "flows/auto_profile_switcher.h"
#include "ui/autoprofile/auto_profile_controller.h"
#include "ui/autoprofile/auto_profile_dialog.h"
#include "ui/editors/composite_host.h"
#include "ui/main/profile_dialog_host.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/update/update_dialog.h"

namespace quorlin::app {

class DialogWiring final : public ui::CompositeHost,
                           public ui::ProfileDialogHost,
                           public ui::UpdateDialogHost {
 public:
  explicit DialogWiring(ui::CQuorlinDlg& window);

  // The key editor's host.
  flows::ProgramState& State() override;
  std::optional<int> ActiveProfile() override;
  void RefreshKeyMarks() override;
  void MarkModified() override;
  platform::SettingsStore& Settings() override;
  const text::TextSource& Texts() override;
  std::string LangText(std::string_view key, int language_index) override;
  int LanguageIndex() override;
  macros::MessageView& Messages() override;
  void OpenHelp() override;

  // The profile manager's and the profile menu's host.
  profiles::ProfileStore& Store() override;
  profiles::FlowView& View() override;
  ui::DeviceJobs& Jobs() override;
  std::filesystem::path SkinDir() const override;
  int& ProfileManagerOpenCount() override;
  int ProfileManagersOpen() const { return profile_manager_open_count_; }
  void ActiveProfileChanged(int profile) override;

  // The update dialog's host.
  device::DeviceLink& Link() override;
  profiles::WorkingStore& Working() override;
  std::filesystem::path PackageDir() const override;
  ui::ProgramStarter& Starter() override;
  bool UpdaterCanRun() const override;

 private:
  ui::CQuorlinDlg& window_;
  AppContext& ctx_;
  int profile_manager_open_count_ = 0;
};

// The automatic profile switch in the window: the switcher's host (the
// same switch as the profile buttons, on the window's device worker, held
// back while the window is busy or editing) and the dialog's host.
class AutoProfileWiring final : public flows::AutoProfileHost, public ui::AutoProfileDialogHost {
 public:
  AutoProfileWiring(ui::CQuorlinDlg& window, DialogWiring& dialogs,
                    std::unique_ptr<ui::FocusSource> source);

  ui::AutoProfileController& Controller() { return *controller_; }

  // flows::AutoProfileHost
  bool SwitchMustWait() const override;
  std::optional<int> ActiveProfile() const override;
  void SwitchProfile(int profile) override;

  // ui::AutoProfileDialogHost
  platform::SettingsStore& Settings() override;
  const text::TextSource& Texts() override;
  std::filesystem::path SkinDir() const override;
  ui::FocusSource& Focus() override;
  void AutoProfilesChanged() override;
  void ShowMessage(QWidget* parent, const QString& text) override;
  QString AskAppName(QWidget* parent, const QString& prompt) override;

 private:
  void ShowChoice();

  ui::CQuorlinDlg& window_;
  DialogWiring& dialogs_;
  std::unique_ptr<ui::AutoProfileController> controller_;
};

// Fills the window's hooks so its key clicks, profile button, tray click,
// "Firmware update..." item, flows and Exit reach the dialogs. `wiring`
// outlives every dialog the window opens.
void WireDialogs(ui::CQuorlinDlg& window, DialogWiring& wiring);
// The same for "Automatic profiles..." and the RULES request; the switch
// starts once the window's event loop runs.
void WireAutoProfiles(ui::CQuorlinDlg& window, AutoProfileWiring& wiring);

// The program's window runner: the main window with its dialogs, run until
// Exit.
int RunWiredMainWindow(AppContext& context);

}  // namespace quorlin::app
