// What reaches the main window from outside and from its buttons: the
// requests of another process, showing and hiding, reloads, the firmware
// version, the commands and Exit.

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QPainter>
#include <QTimer>
#include <QUrl>

#include "device/commands.h"
#include "device/keyboard_finder.h"
#include "platform/autostart.h"
#include "platform/instance_channel.h"
#include "text/format.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_parts.h"
#include "ui/main/quorlin_dlg.h"

namespace quorlin::ui {

namespace ids = main_ids;
using main_window_parts::kWebButtons;
using main_window_parts::Q;
using main_window_parts::WebButton;

namespace {

// The updater the keyboard's maker ships for Windows, in the Help folder.
constexpr const char* kUpdaterFileName =
    "升级包-TovrinMCU程序-V0105-QX42M07B-104KEY-幻彩机械键盘.exe";
constexpr const char* kVersionTooLow = "The current version is too low!";
constexpr const char* kVersionCaption = "Version update";

}  // namespace

// ---------------------------------------------------------------------------
// Requests, showing and hiding

void CQuorlinDlg::HandleRequest(const std::string& request) {
  if (request == platform::kRequestOpen) {
    OnOpen(ids::kTagOpen);
  } else if (request == platform::kRequestKill) {
    OnKill(ids::kTagKill);
  } else if (request == platform::kRequestReload) {
    Reload();
  } else if (request == platform::kRequestRules && hooks_.auto_profile_rules_changed) {
    hooks_.auto_profile_rules_changed();
  }
  emit requestHandled(Q(request));
}

void CQuorlinDlg::OnInitNotice(uint32_t tag) {
  if (tag != ids::kTagInit) return;
  initialised_ = true;
  // Creation never shows the window, so there is nothing to hide here: a
  // keyboard present at start may already have shown it, and it stays.
  // Without a tray icon the window is the only way in: it shows at start.
  if (!tray_available_) ShowWindow();
}

void CQuorlinDlg::HideToTray() {
  // Without a tray a hidden window could not be reached again.
  if (tray_available_) hide();
}

void CQuorlinDlg::OnOpen(uint32_t tag) {
  if (tag != ids::kTagOpen) return;
  OnCommand(ids::kCmdOpen);
  CheckFirmwareVersion();
}

void CQuorlinDlg::OnKill(uint32_t tag) {
  if (tag != ids::kTagKill) return;
  Exit();
}

void CQuorlinDlg::ShowWindow() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void CQuorlinDlg::paintEvent(QPaintEvent* event) {
  CBaseDialog::paintEvent(event);
  if (!testAttribute(Qt::WA_TranslucentBackground)) return;
  // Where the outline only limits input, the corners outside it are
  // cleared so the desktop shows through.
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  painter.setClipRegion(QRegion(rect()).subtracted(outline()));
  painter.fillRect(rect(), Qt::transparent);
}

void CQuorlinDlg::Reload() {
  if (closing_ || ctx_.link.last_presence_state.load() != 1) return;
  // An open editor works on copies it took when it opened: the reload
  // waits until it closes, so that nothing it holds lands on a stale list.
  if (EditorOpen()) {
    if (!reload_wait_timer_.isActive()) reload_wait_timer_.start();
    return;
  }
  // Requests that pile up are one: a reload not started yet reads
  // whatever the keyboard holds by the time it runs.
  if (reload_queued_.exchange(true)) return;
  RunFlow([this](flows::MainFlows& f) {
    reload_queued_ = false;
    // A simulated keyboard's memory lives in the file quorlinctl changed.
    std::string error;
    ctx_.backend.ReloadState(error);
    f.ReloadAfterChange();
    // The profile button names the host copy now in use.
    f.Store().BuildProfileMenu();
  });
}

bool CQuorlinDlg::EditorOpen() const {
  return (hooks_.key_editor_open && hooks_.key_editor_open()) ||
         (hooks_.profile_manager_open && hooks_.profile_manager_open());
}

void CQuorlinDlg::ReloadAfterArrival(flows::MainFlows& flows) {
  flows.ReloadAfterArrival();
  // The profile button names the host copy now in use.
  flows.Store().BuildProfileMenu();
}

bool CQuorlinDlg::KeyboardNotPermitted() {
  device::HidDevice probe(ctx_.backend.Get());
  const device::FindResult found = device::FindKeyboard(probe, device::kVendorCollection, true);
  probe.Close();
  return found == device::FindResult::kNotPermitted;
}

// The version label would otherwise be an empty box: it names the firmware
// the keyboard reported, and nothing while no keyboard is there.
void CQuorlinDlg::ShowFirmwareVersion(std::optional<uint16_t> version) {
  CPngButton* label = Button(ids::kIdVersion);
  if (!label) return;
  label->setText(version ? Q(text::FormatWithText(ctx_.texts.Text("MAIN_FIRMWARE_VERSION"),
                                                  device::FirmwareVersionText(*version)))
                 : keyboard_absent_ ? Text("MAIN_NO_KEYBOARD_SHORT")
                                    : QString());
  if (about_) about_->RefreshVersions();
}

void CQuorlinDlg::CheckFirmwareVersion() {
  if (ctx_.link.last_presence_state.load() != 1) return;
  auto proposed = std::make_shared<bool>(false);
  auto version = std::make_shared<uint16_t>(0);
  jobs_->Run(
      [this, proposed, version] {
        device::DeviceInfo info;
        if (device::ReadDeviceInfo(ctx_.link.Channel(), info) != device::kOk) return 0;
        const uint16_t product = ctx_.link.CommandDevice().Attributes().product_id;
        *version = info.FirmwareVersion();
        *proposed = device::ProposesFirmwareUpdate(product, *version);
        return 1;
      },
      [this, proposed, version](int result) {
        if (result == 1) ShowFirmwareVersion(*version);
        if (!*proposed || closing_) return;
#ifdef _WIN32
        if (!prompts_->AskYesNo(this, kVersionTooLow)) return;
        QDesktopServices::openUrl(QUrl::fromLocalFile(
            QString::fromStdString((ctx_.paths.help_dir / kUpdaterFileName).string())));
#else
        // The keyboard maker's updater is a Windows program: say where it
        // lies and carry on.
        const std::string where = (ctx_.paths.help_dir / kUpdaterFileName).string();
        const QString text =
            QString(kVersionTooLow) + "\n\n" +
            Q(text::FormatWithText(ctx_.texts.Text("MAIN_UPDATER_WINDOWS_ONLY"), where));
        prompts_->Message(this, kVersionCaption, text);
#endif
      });
}

// ---------------------------------------------------------------------------
// Commands

void CQuorlinDlg::OnCommand(int id) {
  switch (id) {
    case ids::kIdOk:
      OnOk();
      break;
    case ids::kIdCancel:
      OnCancel();
      break;
    case ids::kIdHelp:
      OpenHelp();
      break;
    case ids::kIdMinimise:
      showMinimized();
      break;
    case ids::kIdClose:
    case ids::kCmdExit:
      Exit();
      break;
    case ids::kIdMenu:
      ShowButtonMenu();
      break;
    case ids::kIdLink:
    case ids::kIdWebSite:
    case ids::kIdSocial1:
    case ids::kIdSocial2:
      OpenWebLink(id);
      break;
    case ids::kIdProfileManager:
    case ids::kIdProfilePopup:
      ShowProfileMenu(QCursor::pos());
      break;
    case ids::kIdMacro:
      if (views_.edit_macro_key) {
        views_.edit_macro_key();
      } else if (hooks_.open_key_editor) {
        KeyEditRequest request;
        request.key = 0x108;  // G9: the macro button opens the editor as G9 does
        request.macro_only = true;
        QWidget* b = Button(ids::kIdMacro);
        request.key_rect_global = QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
        hooks_.open_key_editor(this, request);
      }
      break;
    case ids::kIdApply:
      RunFlow([](flows::MainFlows& f) { f.Apply(); });
      break;
    case ids::kIdProfile1:
    case ids::kIdProfile1 + 1:
    case ids::kIdProfile1 + 2:
      RunFlow([slot = id - ids::kIdProfile1](flows::MainFlows& f) { f.SelectProfileSlot(slot); });
      break;
    case ids::kIdRestoreDefaults:
      RunFlow([](flows::MainFlows& f) { f.RestoreDefaults(); });
      break;
    case ids::kCmdOpen:
      if (ctx_.link.last_presence_state.load() == 1) {
        ShowWindow();
      } else {
        // Without a tray the window is the only way in, so it shows anyway.
        if (!tray_available_) ShowWindow();
        // A keyboard this user may not open needs the udev rule, not a
        // cable. Looking means opening HID devices: device work, on the
        // worker; the window says what it found.
        jobs_->Run([this] { return KeyboardNotPermitted() ? 1 : 0; },
                   [this](int not_permitted) {
                     if (closing_) return;
                     if (not_permitted == 1) {
                       prompts_->Message(this, QString(),
                                         Text("MAIN_NO_PERMISSION_PROMPT") + "\n\n" +
                                             Text("MAIN_NO_PERMISSION_COMMAND"));
                     } else {
                       prompts_->Message(this, QString(), Text("MAIN_NO_DEVICE_PROMPT"));
                     }
                   });
      }
      break;
    case ids::kCmdAbout:
      OpenAbout();
      break;
    case ids::kCmdStartAtLogin:
      // A switch that did not take is said, not left for the next login
      // to show.
      if (!platform::SetStartAtLogin(!platform::StartAtLogin()))
        prompts_->Message(this, QString(),
                          Q(text::FormatWithText(ctx_.texts.Text("MAIN_START_AT_LOGIN_FAILED"),
                                                 platform::AutostartEntryPath().string())));
      RelabelMenus();
      break;
    case ids::kCmdRestoreFromFile:
      RunFlow([](flows::MainFlows& f) { f.RestoreFromFile(); });
      break;
    case ids::kCmdBackUpToFile:
      RunFlow([](flows::MainFlows& f) { f.BackUpToFile(); });
      break;
    case ids::kCmdFirmwareUpdate:
      if (hooks_.open_update_dialog) hooks_.open_update_dialog(this);
      break;
    case ids::kCmdAutoProfiles:
      if (hooks_.open_auto_profiles) hooks_.open_auto_profiles(this);
      break;
    default:
      if (id >= ids::kCmdFirstProfileItem && id <= ids::kCmdFirstProfileItem + 200) {
        const int profile = id - (ids::kCmdFirstProfileItem + 1);
        RunFlow([profile](flows::MainFlows& f) { f.Store().SwitchProfile(profile); });
      }
      break;
  }
}

void CQuorlinDlg::OnOk() {
  RunFlow([](flows::MainFlows& f) { f.Apply(); });
  OnCancel();
}

void CQuorlinDlg::OnCancel() {
  if (tray_available_) {
    HideToTray();
  } else {
    showMinimized();
  }
}

void CQuorlinDlg::reject() {
  OnCancel();
}
void CQuorlinDlg::accept() {
  OnOk();
}

void CQuorlinDlg::closeEvent(QCloseEvent* event) {
  // The window manager's close button hides like Cancel; only Exit ends.
  if (ended_) {
    event->accept();
    return;
  }
  event->ignore();
  OnCancel();
}

void CQuorlinDlg::OpenWebLink(int id) {
  std::optional<std::string> address;
  if (id == ids::kIdLink) {
    if (!link_address_.empty()) address = link_address_;
  } else {
    for (const WebButton& w : kWebButtons)
      if (w.id == id) address = skin().ScreenValue(w.address_key);
  }
  if (address) QDesktopServices::openUrl(QUrl(QString::fromStdString(*address)));
}

bool CQuorlinDlg::Exit() {
  if (ended_ || exiting_) return true;
  hide();
  // An open popup menu (the profile menu from the tray) runs its own loop,
  // which would keep the program from ending.
  for (int n = 0; n < 8 && QApplication::activePopupWidget() != nullptr; ++n)
    QApplication::activePopupWidget()->close();
  // The child windows first; one that refuses keeps the program running.
  if (about_) about_->close();
  if (hooks_.close_child_dialogs && !hooks_.close_child_dialogs()) return false;
  exiting_ = true;
  closing_ = true;
  preview_timer_.stop();
  tray_click_timer_.stop();
  reload_wait_timer_.stop();
  // From here every question is answered No or Cancel without being shown
  // (see the prompts), and those on screen now are answered so too.
  AnswerOpenQuestions();
  if (InsideNestedLoop()) {
    // This runs inside the loop of a question the device worker may be
    // waiting for: the worker can only go on once that loop has returned,
    // so the end waits in the window's own loop, never here.
    QTimer::singleShot(0, this, [this] { FinishExitWhenIdle(); });
    return true;
  }
  // A write in progress finishes before the program ends.
  WaitForDeviceJobs();
  FinishExit();
  return true;
}

void CQuorlinDlg::AnswerOpenQuestions() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(w);
    if (dialog != nullptr && dialog != this && dialog->isVisible()) dialog->reject();
  }
}

bool CQuorlinDlg::InsideNestedLoop() const {
  // The window's own loop is the first; tests may run none.
  return thread()->loopLevel() > (loop_ != nullptr ? 1 : 0);
}

void CQuorlinDlg::FinishExitWhenIdle() {
  // A dialog a flow opened after the first answer is answered in turn.
  AnswerOpenQuestions();
  if (InsideNestedLoop() || (jobs_ && jobs_->Busy())) {
    QTimer::singleShot(5, this, [this] { FinishExitWhenIdle(); });
    return;
  }
  FinishExit();
}

void CQuorlinDlg::FinishExit() {
  StopDeviceThreads();
  if (tray_) tray_->hide();
  ctx_.state.modified = false;
  ended_ = true;
  exiting_ = false;
  if (loop_) loop_->quit();
}

}  // namespace quorlin::ui
