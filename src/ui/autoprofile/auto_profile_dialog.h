#pragma once
// The automatic profiles dialog: the rules (an application and a profile
// each), the fallback, the on/off switch, adding an application that has a
// window now or one typed by name, and a plain note when the desktop does
// not tell which window has focus. OK stores the rules; the program then
// follows them at once.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <array>
#include <filesystem>

#include "flows/auto_profile_rules.h"
#include "platform/settings_store.h"
#include "text/text_source.h"
#include "ui/autoprofile/focus_source.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/png_button.h"

namespace quorlin::ui {

class AutoProfileDialogHost {
 public:
  virtual ~AutoProfileDialogHost() = default;
  virtual platform::SettingsStore& Settings() = 0;
  virtual const text::TextSource& Texts() = 0;
  virtual std::filesystem::path SkinDir() const = 0;
  virtual FocusSource& Focus() = 0;
  // The rules in the settings changed.
  virtual void AutoProfilesChanged() = 0;
  // Shown when a question or a failure needs saying.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // Asks for an application name; empty when cancelled.
  virtual QString AskAppName(QWidget* parent, const QString& prompt) = 0;
};

class CAutoProfileDlg : public CBaseDialog {
  Q_OBJECT

 public:
  CAutoProfileDlg(AutoProfileDialogHost& host, QWidget* parent);

  // Places the controls, takes the texts and reads the rules.
  void OnInitDialog() override;
  void Relabel();

  // The commands.
  void OnAddRunning();
  void AddRunning(const RunningApp& app);
  void OnAddByName();
  void AddByName(const QString& name);
  void OnRemove();
  void OnOK();
  void OnCancel();

  const flows::AutoProfileSettings& Rules() const { return rules_; }
  QTableWidget* list() const { return list_; }
  QCheckBox* enabled() const { return enabled_; }
  QComboBox* fallback() const { return fallback_; }
  QLabel* message() const { return message_; }
  CPngButton* button(const char* skin_key) const;
  // The menu "Add from running applications" shows (built at each click).
  QMenu* runningMenu() const { return running_menu_; }

 private:
  void PlaceControls();
  void ApplyTexts();
  void RebuildList();
  void FillFallback();
  QString T(const char* key) const;
  QString ProfileText(int profile) const;

  AutoProfileDialogHost& host_;
  QLabel* title_;
  QCheckBox* enabled_;
  QLabel* rules_label_;
  QTableWidget* list_;
  QLabel* fallback_label_;
  QComboBox* fallback_;
  QLabel* message_;
  QMenu* running_menu_;
  struct SkinButton {
    const char* key;
    CPngButton* button;
  };
  std::array<SkinButton, 5> buttons_;
  flows::AutoProfileSettings rules_;
};

// The main window's dialog, made on first use as its child; shown modeless
// so the user can switch to the application to add.
void OpenAutoProfileDialog(QWidget* window, AutoProfileDialogHost& host);
CAutoProfileDlg* AutoProfileDialogOf(QWidget* window);
void RelabelAutoProfileDialog(QWidget* window);
void CloseAutoProfileDialog(QWidget* window);

}  // namespace quorlin::ui
