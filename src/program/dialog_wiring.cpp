#include "program/dialog_wiring.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <vector>

#include "app/app_paths.h"
#include "lighting/key_colour_table.h"
#include "profiles/key_view.h"
#include "text/language.h"
#include "ui/editors/open_composite_editor.h"
#include "ui/main/profile_dialog.h"
#include "ui/main/profile_menu.h"
#include "ui/update/program_starter.h"

namespace quorlin::app {

DialogWiring::DialogWiring(ui::CQuorlinDlg& window) : window_(window), ctx_(window.Context()) {}

flows::ProgramState& DialogWiring::State() {
  return ctx_.state;
}

std::optional<int> DialogWiring::ActiveProfile() {
  // The editor opens on the window's thread, which never waits for the
  // keyboard: the profile the last device job saw is the answer, and none
  // is known while the keyboard is away.
  const int profile = ctx_.link.CachedActiveProfile();
  if (profile < 0 || profile > 2) return std::nullopt;
  return profile;
}

void DialogWiring::RefreshKeyMarks() {
  const std::optional<int> profile = ActiveProfile();
  const int page = profile.value_or(0);
  std::vector<profiles::KeyButtonState> buttons;
  {
    auto working = ctx_.state.working.Lock();
    buttons = profiles::DescribeKeyViewPage(*working, page, ctx_.texts);
  }
  window_.RefreshKeyView(page, buttons);
}

void DialogWiring::MarkModified() {
  window_.SetModified(true);
}

platform::SettingsStore& DialogWiring::Settings() {
  return ctx_.settings;
}

const text::TextSource& DialogWiring::Texts() {
  return ctx_.texts;
}

std::string DialogWiring::LangText(std::string_view key, int language_index) {
  return text::LangText(ctx_.paths.program_dir, key, language_index);
}

int DialogWiring::LanguageIndex() {
  return ctx_.texts.CurrentIndex();
}

macros::MessageView& DialogWiring::Messages() {
  // The window's prompts, so every question of the program looks alike.
  return window_;
}

void DialogWiring::OpenHelp() {
  // Over the key editor, which is the window asking.
  window_.OpenHelp(QApplication::activeModalWidget());
}

profiles::ProfileStore& DialogWiring::Store() {
  return window_.Flows().Store();
}

profiles::FlowView& DialogWiring::View() {
  return window_;
}

ui::DeviceJobs& DialogWiring::Jobs() {
  return window_.Jobs();
}

std::filesystem::path DialogWiring::SkinDir() const {
  return window_.skinDir();
}

int& DialogWiring::ProfileManagerOpenCount() {
  return profile_manager_open_count_;
}

void DialogWiring::ActiveProfileChanged(int profile) {
  const bool changed = profile != ctx_.state.checked_profile_button;
  ctx_.state.checked_profile_button = profile;
  window_.ShowProfileButtons(profile);
  // The lighting panel follows another profile as a profile button would;
  // the slot is already active, so this only reads its lighting. The menu's
  // default entry keeps the profile and must not talk to the keyboard.
  if (changed && lighting::ValidProfileSlot(profile))
    window_.RunFlow([profile](flows::MainFlows& f) { f.SelectProfileSlot(profile); });
}

device::DeviceLink& DialogWiring::Link() {
  return ctx_.link;
}

profiles::WorkingStore& DialogWiring::Working() {
  return ctx_.state.working;
}

std::filesystem::path DialogWiring::PackageDir() const {
  return ctx_.paths.package_dir;
}

ui::ProgramStarter& DialogWiring::Starter() {
  return ui::SystemProgramStarter();
}

bool DialogWiring::UpdaterCanRun() const {
  return ui::UpdaterRunsOnThisPlatform();
}

void WireDialogs(ui::CQuorlinDlg& window, DialogWiring& wiring) {
  QWidget* w = &window;
  ui::MainWindowHooks& h = window.Hooks();
  h.open_key_editor = [&wiring, &window](QWidget* parent, const ui::KeyEditRequest& request) {
    AppContext& ctx = window.Context();
    if (wiring.ActiveProfile() || ctx.link.last_presence_state.load() != 1) {
      ui::OpenCompositeEditor(parent, wiring, request);
      return;
    }
    // A write that failed leaves the Active profile unknown although the
    // keyboard answers: it is asked again (on the device worker) before
    // the editor says it cannot be read.
    QPointer<QWidget> guard(parent);
    window.Jobs().Run([&ctx] { return ctx.link.ActiveProfile() >= 0 ? 1 : 0; },
                      [guard, &wiring, request](int) {
                        if (guard) ui::OpenCompositeEditor(guard, wiring, request);
                      });
  };
  h.show_profile_menu = [&wiring](QWidget* parent, const QPoint& pos) {
    ui::ShowProfileMenu(parent, pos, wiring);
  };
  h.open_update_dialog = [&wiring](QWidget* parent) { ui::OpenUpdateDialog(parent, wiring); };
  h.close_profile_manager = [w] { ui::CloseProfileManager(w); };
  h.close_child_dialogs = [w] {
    // None of them refuses: the editor closes as by Cancel, the others too.
    ui::CloseCompositeEditor(w);
    ui::CloseProfileManager(w);
    ui::CloseUpdateDialog(w);
    return true;
  };
  h.key_editor_open = [w] { return ui::CompositeEditorOpen(w); };
  h.profile_manager_open = [w] { return ui::ProfileManagerOpen(w); };
  h.macro_recording_running = [w] { return ui::CompositeEditorRecording(w); };
  h.stop_macro_recording = [w] { ui::StopCompositeRecording(w); };
  h.profile_manager_has_changes = [w] { return ui::ProfileManagerHasChanges(w); };
  h.profile_manager_show_active = [w](int profile) { ui::ProfileManagerShowActive(w, profile); };
  h.relabel_dialogs = [w](int index) {
    ui::RelabelCompositeEditor(w, index);
    ui::RelabelProfileManager(w);
    ui::RelabelUpdateDialog(w);
  };
}

AutoProfileWiring::AutoProfileWiring(ui::CQuorlinDlg& window, DialogWiring& dialogs,
                                     std::unique_ptr<ui::FocusSource> source)
    : window_(window),
      dialogs_(dialogs),
      controller_(std::make_unique<ui::AutoProfileController>(window.Context().settings, *this,
                                                              std::move(source))) {
  controller_->on_choice = [this] { ShowChoice(); };
}

bool AutoProfileWiring::SwitchMustWait() const {
  // A switch in the middle of a write, an edit or unapplied changes would
  // take the user's work to another profile, or ask about it out of the
  // blue: it waits for them to end.
  QWidget* w = &window_;
  return window_.Closing() || window_.Jobs().Busy() || ui::CompositeEditorOpen(w) ||
         dialogs_.ProfileManagersOpen() > 0 || window_.Context().state.modified;
}

std::optional<int> AutoProfileWiring::ActiveProfile() const {
  const int profile = window_.Context().link.CachedActiveProfile();
  if (profile < 0 || profile > 2) return std::nullopt;
  return profile;
}

void AutoProfileWiring::SwitchProfile(int profile) {
  window_.RunFlow([profile](flows::MainFlows& f) { f.SelectProfileSlot(profile); });
}

platform::SettingsStore& AutoProfileWiring::Settings() {
  return window_.Context().settings;
}

const text::TextSource& AutoProfileWiring::Texts() {
  return window_.Context().texts;
}

std::filesystem::path AutoProfileWiring::SkinDir() const {
  return window_.skinDir();
}

ui::FocusSource& AutoProfileWiring::Focus() {
  return controller_->Source();
}

void AutoProfileWiring::AutoProfilesChanged() {
  controller_->ReloadRules();
}

void AutoProfileWiring::ShowMessage(QWidget*, const QString& text) {
  // Through the window's prompts, so every message of the program looks
  // alike (and tests answer them).
  window_.ShowMessage(text.toStdString());
}

QString AutoProfileWiring::AskAppName(QWidget* parent, const QString& prompt) {
  return QInputDialog::getText(parent, QString(), prompt);
}

void AutoProfileWiring::ShowChoice() {
  const auto& settings = controller_->Switcher().Settings();
  window_.SetTrayTipLine(settings.enabled ? ui::AutoProfileTip(window_.Context().texts,
                                                               controller_->Switcher().LastChoice())
                                          : QString());
}

void WireAutoProfiles(ui::CQuorlinDlg& window, AutoProfileWiring& wiring) {
  ui::MainWindowHooks& h = window.Hooks();
  h.open_auto_profiles = [&wiring](QWidget* parent) { ui::OpenAutoProfileDialog(parent, wiring); };
  h.auto_profile_rules_changed = [&wiring] { wiring.AutoProfilesChanged(); };
  // The other dialogs' hooks close and relabel this one too.
  QWidget* w = &window;
  h.close_child_dialogs = [w, close = h.close_child_dialogs] {
    ui::CloseAutoProfileDialog(w);
    return close ? close() : true;
  };
  h.relabel_dialogs = [w, relabel = h.relabel_dialogs](int index) {
    if (relabel) relabel(index);
    ui::RelabelAutoProfileDialog(w);
  };
  QTimer::singleShot(0, &window, [&wiring] { wiring.Controller().Start(); });
}

int RunWiredMainWindow(AppContext& context) {
  auto window = std::make_unique<ui::CQuorlinDlg>(context);
  DialogWiring wiring(*window);
  WireDialogs(*window, wiring);
  auto auto_profiles = std::make_unique<AutoProfileWiring>(*window, wiring, ui::MakeFocusSource());
  WireAutoProfiles(*window, *auto_profiles);
  const int status = window->RunUntilExit();
  // No focus change may reach a window that is going.
  auto_profiles.reset();
  // The window's dialogs hold the wiring as their host: they go first.
  window.reset();
  return status;
}

}  // namespace quorlin::app
