#include "ui/main/profile_menu.h"

#include <QPointer>
#include <memory>

#include "ui/main/profile_dialog.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/skin/skin_style.h"

namespace quorlin::ui {

namespace {
// The job result of a switch that was refused (the key editor is open).
constexpr int kSwitchRefused = -2;
}  // namespace

QMenu* MakeProfilePopupMenu(const profiles::ProfileMenu& model, const text::TextSource& texts,
                            QWidget* parent) {
  auto* menu = new QMenu(parent);
  ApplySkinMenuStyle(menu, parent);
  for (std::size_t i = 0; i < model.items.size(); ++i) {
    const profiles::ProfileMenuItem& item = model.items[i];
    if (item.separator) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromStdString(item.text));
    action->setData(item.id);
    action->setCheckable(true);
    action->setChecked(static_cast<int>(i) == model.checked_position);
  }
  menu->addSeparator();
  QAction* manage = menu->addAction(QString::fromStdString(texts.Text("PROFILE_MANAGER_OPEN")));
  manage->setData(kManageProfilesItemId);
  return menu;
}

void RunProfileMenuItem(QWidget* window, ProfileDialogHost& host, int id) {
  if (id == kManageProfilesItemId) {
    OpenProfileManager(window, host);
    return;
  }
  const std::optional<int> profile = profiles::ProfileOfMenuItem(id);
  if (!profile) return;
  profiles::ProfileStore& store = host.Store();
  host.Jobs().Run(
      [&store, n = *profile] {
        return store.SwitchProfile(n) ? store.ActiveProfile() : kSwitchRefused;
      },
      [&host](int active) {
        if (active != kSwitchRefused) host.ActiveProfileChanged(active);
      });
}

void ShowProfileMenu(QWidget* window, const QPoint& global_pos, ProfileDialogHost& host) {
  // The menu names the host copies and checks the Active profile, which
  // may take a question to the keyboard: it is built as device work.
  auto model = std::make_shared<profiles::ProfileMenu>();
  profiles::ProfileStore& store = host.Store();
  host.Jobs().Run(
      [&store, model] {
        *model = store.BuildProfileMenu();
        return 0;
      },
      [window = QPointer<QWidget>(window), global_pos, &host, model](int) {
        // A menu the job finished for after Exit would hold the end in its loop.
        const auto* main_window = qobject_cast<const CQuorlinDlg*>(window.data());
        if (!window || (main_window != nullptr && main_window->Closing())) return;
        std::unique_ptr<QMenu> menu(MakeProfilePopupMenu(*model, host.Texts(), window));
        const QAction* chosen = menu->exec(global_pos);
        if (chosen != nullptr) RunProfileMenuItem(window, host, chosen->data().toInt());
      });
}

}  // namespace quorlin::ui
