// The main window's tray icon, its menus, the button menu, the profile
// popup and the about box.

#include <QApplication>
#include <QCursor>

#include "platform/autostart.h"
#include "text/language.h"
#include "ui/main/about_dlg.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_parts.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/main/tray_icon_files.h"
#include "ui/skin/skin_style.h"

namespace quorlin::ui {

namespace ids = main_ids;
using main_window_parts::Q;

void CQuorlinDlg::BuildMenus() {
  auto add = [this](QMenu& menu, int id) {
    QAction* a = menu.addAction(QString());
    a->setData(id);
    actions_[id + (&menu == &tray_menu_ ? 0 : 100000)] = a;
    connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
    return a;
  };
  QAction* open = add(tray_menu_, ids::kCmdOpen);
  QFont bold = open->font();
  bold.setBold(true);
  open->setFont(bold);  // the default item
  add(tray_menu_, ids::kCmdAbout);
  QAction* login = add(tray_menu_, ids::kCmdStartAtLogin);
  login->setCheckable(true);
  add(tray_menu_, ids::kCmdAutoProfiles);
  tray_menu_.addSeparator();
  add(tray_menu_, ids::kCmdExit);
  connect(&tray_menu_, &QMenu::aboutToShow, this, &CQuorlinDlg::RelabelMenus);

  add(button_menu_, ids::kCmdRestoreFromFile);
  add(button_menu_, ids::kCmdBackUpToFile);
  button_menu_.addSeparator();
  add(button_menu_, ids::kCmdAbout);
  add(button_menu_, ids::kCmdFirmwareUpdate);
  add(button_menu_, ids::kCmdAutoProfiles);
  connect(&button_menu_, &QMenu::aboutToShow, this, &CQuorlinDlg::RelabelMenus);
  // The window's own menus look like it; the tray's keeps the desktop's.
  ApplySkinMenuStyle(&button_menu_, this);
  ApplySkinMenuStyle(&profile_menu_, this);
}

void CQuorlinDlg::RelabelMenus() {
  const int index = LanguageIndex();
  auto label = [&](int key_id, const char* key) {
    if (auto it = actions_.find(key_id); it != actions_.end())
      it->second->setText(Q(text::LangText(ctx_.paths.program_dir, key, index)));
  };
  label(ids::kCmdOpen, "MENU_11");
  label(ids::kCmdAbout, "MENU_22");
  label(ids::kCmdStartAtLogin, "MAIN_START_AT_LOGIN");
  label(ids::kCmdExit, "MENU_33");
  label(100000 + ids::kCmdRestoreFromFile, "MENU_1");
  label(100000 + ids::kCmdBackUpToFile, "MENU_2");
  label(100000 + ids::kCmdAbout, "MENU_3");
  label(100000 + ids::kCmdFirmwareUpdate, "MENU_4");
  actions_[ids::kCmdStartAtLogin]->setChecked(platform::StartAtLogin());
  label(ids::kCmdAutoProfiles, "AUTO_MENU");
  label(100000 + ids::kCmdAutoProfiles, "AUTO_MENU");
  for (int id : {ids::kCmdAutoProfiles, 100000 + ids::kCmdAutoProfiles})
    actions_[id]->setVisible(static_cast<bool>(hooks_.open_auto_profiles));
  actions_[100000 + ids::kCmdFirmwareUpdate]->setVisible(
      static_cast<bool>(hooks_.open_update_dialog));
}

void CQuorlinDlg::CreateTray() {
  tray_available_ = options_.tray_available.value_or(QSystemTrayIcon::isSystemTrayAvailable());
  for (int id : {tray_icons::kNoKeyboard, tray_icons::kKeyboardPresent, tray_icons::kAlternate}) {
    QIcon icon;
    for (int size : tray_icons::kSizes)
      icon.addFile(QString::fromStdString((skinDir() / tray_icons::FileName(id, size)).string()),
                   QSize(size, size));
    tray_icons_[id] = icon;
  }
  if (!tray_available_) return;
  tray_click_timer_.setSingleShot(true);
  connect(&tray_click_timer_, &QTimer::timeout, this, [this] { ShowProfileMenu(tray_click_pos_); });
  tray_ = new QSystemTrayIcon(this);
  tray_->setContextMenu(&tray_menu_);
  connect(tray_, &QSystemTrayIcon::activated, this, &CQuorlinDlg::OnTrayActivated);
}

bool CQuorlinDlg::TrayShown() const {
  return tray_ != nullptr && tray_->isVisible();
}

void CQuorlinDlg::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
  // An XEmbed tray reports the first click of a double click as a single
  // one; a menu opened at once would grab the mouse and swallow the second.
  // So the menu waits for the double-click interval, and a double click
  // cancels it and opens the window.
  if (reason == QSystemTrayIcon::DoubleClick) {
    tray_click_timer_.stop();
    OnCommand(ids::kCmdOpen);
  } else if (reason == QSystemTrayIcon::Trigger) {
    tray_click_pos_ = QCursor::pos();
    tray_click_timer_.start(QApplication::doubleClickInterval());
  }
}

void CQuorlinDlg::OnTrayIcon(int icon_id) {
  if (icon_id == tray_icon_id_) return;
  tray_icon_id_ = icon_id;
  const QIcon& icon = tray_icons_[icon_id];
  setWindowIcon(icon);
  // The alternate icon says nothing about whether the keyboard is there.
  if (icon_id != tray_icons::kAlternate)
    ShowKeyboardPresence(icon_id == tray_icons::kKeyboardPresent);
  if (!tray_) return;
  tray_->setIcon(icon);
  tray_->setToolTip(TrayToolTip());
  if (!tray_->isVisible()) tray_->show();
}

void CQuorlinDlg::SetTrayTipLine(const QString& line) {
  tray_tip_line_ = line;
  if (tray_) tray_->setToolTip(TrayToolTip());
}

void CQuorlinDlg::ShowButtonMenu() {
  button_menu_.popup(QCursor::pos());
}

void CQuorlinDlg::ShowProfileMenu(const QPoint& global_pos) {
  if (closing_) return;
  if (hooks_.show_profile_menu) {
    hooks_.show_profile_menu(this, global_pos);
    return;
  }
  // The profile popup from the store's model, until the profile manager
  // brings its own.
  const profiles::ProfileMenu& model = flows_->Store().BuildProfileMenu();
  profile_menu_.clear();
  int position = 0;
  for (const profiles::ProfileMenuItem& item : model.items) {
    if (item.separator) {
      profile_menu_.addSeparator();
    } else {
      QAction* a = profile_menu_.addAction(Q(item.text));
      a->setCheckable(true);
      a->setChecked(position == model.checked_position);
      connect(a, &QAction::triggered, this, [this, id = item.id] { OnCommand(id); });
    }
    ++position;
  }
  profile_menu_.popup(global_pos);
}

void CQuorlinDlg::OpenAbout() {
  if (about_) {
    // One box: the open one comes forward.
    about_->RefreshVersions();
    about_->show();
    about_->raise();
    about_->activateWindow();
    return;
  }
  const auto dir = ctx_.paths.program_dir;
  about_ = new CAboutDlg(
      [dir](std::string_view key, int index) { return text::LangText(dir, key, index); },
      link_address_, [this] { OpenHelp(); },
      [this] {
        const CPngButton* version = Button(ids::kIdVersion);
        return version ? version->text() : QString();
      });
  about_->setWindowIcon(windowIcon());
  about_->OnLanguageChanged(text::kLanguageChangedTag, LanguageIndex());
  about_->show();
}

}  // namespace quorlin::ui
