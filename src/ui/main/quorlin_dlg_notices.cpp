// What the main window tells the user without asking: that no keyboard is
// connected, where the help page lies when nothing can show it, and that a
// back-up or restore went through.

#include <QDesktopServices>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QUrl>
#include <algorithm>

#include "app/app_paths.h"
#include "text/format.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_parts.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/main/skin_overlay.h"
#include "ui/main/tray_icon_files.h"

namespace quorlin::ui {

namespace ids = main_ids;
using main_window_parts::Q;

namespace {

// The window's buttons that send to the keyboard or edit its data. OK,
// Cancel, help, the menu and the language stay: they work without it.
constexpr int kDeviceButtons[] = {ids::kIdProfileManager,  ids::kIdMacro,
                                  ids::kIdRestoreDefaults, ids::kIdProfile1,
                                  ids::kIdProfile1 + 1,    ids::kIdProfile1 + 2};

// How long a confirmation stays before it fades, and how long the fade takes.
constexpr int kStatusShownMs = 4000;
constexpr int kStatusFadeMs = 600;

}  // namespace

QString CQuorlinDlg::TrayToolTip() const {
  QString tip = Text("KEYBOARD_TRAY_DESC");
  if (keyboard_absent_) tip += QStringLiteral(" \u2013 ") + Text("MAIN_NO_KEYBOARD");
  // Which profile the automatic switch chose, and by which rule.
  if (!tray_tip_line_.isEmpty()) tip += '\n' + tray_tip_line_;
  // The desktop cuts long tips anyway; keep within what every tray shows.
  return tip.left(127);
}

void CQuorlinDlg::ShowKeyboardPresence(bool present) {
  keyboard_absent_ = !present;
  if (CPngButton* label = Button(ids::kIdVersion)) {
    const QString absent = Text("MAIN_NO_KEYBOARD_SHORT");
    if (keyboard_absent_) {
      label->setText(absent);
      label->setToolTip(Text("MAIN_NO_KEYBOARD"));
    } else {
      // The version follows once the keyboard has been read.
      if (label->text() == absent) label->setText(QString());
      label->setToolTip(QString());
    }
  }
  if (tray_) tray_->setToolTip(TrayToolTip());
  if (about_) about_->RefreshVersions();
  ApplyKeyboardPresence();
}

void CQuorlinDlg::ApplyKeyboardPresence() {
  // A write in progress gives its controls back first; StopBusyIndicator
  // calls this again.
  if (busy_depth_ > 0) return;
  if (keyboard_absent_) {
    for (int id : kDeviceButtons) {
      CPngButton* b = Button(id);
      if (!b || unplaced_.contains(id) || !b->isEnabled()) continue;
      b->setEnabled(false);
      absent_buttons_.push_back(id);
    }
  } else {
    for (int id : absent_buttons_)
      if (CPngButton* b = Button(id)) b->setEnabled(true);
    absent_buttons_.clear();
  }
  // The keyboard picture and the lighting panel: their own busy state is
  // per control, so turning the whole layer off leaves it untouched.
  for (SkinOverlay* layer : findChildren<SkinOverlay*>(Qt::FindDirectChildrenOnly))
    layer->setEnabled(!keyboard_absent_);
}

void CQuorlinDlg::OpenHelp(QWidget* parent) {
  const auto page = app::HelpPage(ctx_.paths.help_dir, ctx_.texts.CurrentId());
  const QString path = QString::fromStdString(page.string());
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
  // No browser or launcher: say where the page is, so it can be opened by hand.
  prompts_->Message(
      parent ? parent : this, Text("MAIN_CAPTION"),
      Q(text::FormatWithText(ctx_.texts.Text("MAIN_HELP_NOT_OPENED"), page.string())));
}

void CQuorlinDlg::ShowFileDone(FileDone done, const std::filesystem::path& file) {
  const std::string key = done == FileDone::kBackedUp ? "MAIN_BACKUP_DONE" : "MAIN_RESTORE_DONE";
  const QString line = Q(text::FormatWithText(ctx_.texts.Text(key), file.filename().string()));
  const QString full = Q(text::FormatWithText(ctx_.texts.Text(key), file.string()));
  QMetaObject::invokeMethod(
      this,
      [this, line, full] {
        // The window is where the user asked; hidden, the tray says it.
        if (!isVisible()) {
          if (tray_ && tray_->isVisible())
            tray_->showMessage(Text("MAIN_CAPTION"), full, QSystemTrayIcon::Information,
                               kStatusShownMs);
          return;
        }
        if (!status_line_) {
          status_line_ = new QLabel(this);
          status_line_->setObjectName("statusLine");
          status_line_->setStyleSheet("color: #e8eaed;");
          status_line_->setGraphicsEffect(new QGraphicsOpacityEffect(status_line_));
          status_timer_.setSingleShot(true);
          connect(&status_timer_, &QTimer::timeout, this, [this] {
            auto* fade =
                new QPropertyAnimation(status_line_->graphicsEffect(), "opacity", status_line_);
            fade->setDuration(kStatusFadeMs);
            fade->setEndValue(0.0);
            connect(fade, &QPropertyAnimation::finished, status_line_, &QWidget::hide);
            fade->start(QAbstractAnimation::DeleteWhenStopped);
          });
        }
        // Between the language picker and the busy picture, on the bottom row.
        const QWidget* picker = Control(ids::kIdLanguagePicker);
        if (picker && progress_) {
          const int left = picker->geometry().right() + 14;
          status_line_->setGeometry(left, picker->y(), std::max(40, progress_->x() - 8 - left),
                                    picker->height());
        }
        status_line_->setText(
            status_line_->fontMetrics().elidedText(line, Qt::ElideMiddle, status_line_->width()));
        status_line_->setToolTip(full);
        static_cast<QGraphicsOpacityEffect*>(status_line_->graphicsEffect())->setOpacity(1.0);
        status_line_->show();
        status_line_->raise();
        status_timer_.start(kStatusShownMs);
      },
      Qt::QueuedConnection);
}

}  // namespace quorlin::ui
