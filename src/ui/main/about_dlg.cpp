#include "ui/main/about_dlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "text/format.h"
#include "text/language.h"

namespace quorlin::ui {

CAboutDlg::CAboutDlg(Lookup texts, std::string link, std::function<void()> open_help,
                     std::function<QString()> firmware_line)
    : QDialog(nullptr),
      texts_(std::move(texts)),
      open_help_(std::move(open_help)),
      firmware_line_(std::move(firmware_line)),
      product_(new QLabel(this)),
      versions_(new QLabel(this)),
      copyright_(new QLabel(this)),
      link_(new QLabel(this)),
      ok_(new QPushButton(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("CAboutDlg");
  // The main window's colours, so the box reads as part of the program.
  setStyleSheet(
      "QDialog#CAboutDlg { background: #0f1114; border: 1px solid #2c3038; }"
      "QLabel { color: #e8eaed; }"
      "QLabel#copyright, QLabel#versions { color: #9aa0a8; }"
      "QPushButton { color: #e8eaed; background: #262a31; border: 1px solid #3e444e;"
      " border-radius: 4px; padding: 5px 22px; }"
      "QPushButton:hover { background: #30353e; border-color: #ff8200; }"
      "QPushButton:pressed { background: #1c1f24; }");
  copyright_->setObjectName("copyright");
  versions_->setObjectName("versions");
  versions_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  layout->setSpacing(10);
  QFont title = product_->font();
  title.setBold(true);
  title.setPointSizeF(title.pointSizeF() * 1.15);
  product_->setFont(title);
  layout->addWidget(product_);
  layout->addWidget(versions_);
  layout->addWidget(copyright_);
  if (!link.empty()) {
    const QString address = QString::fromStdString(link).toHtmlEscaped();
    link_->setText("<a style=\"color:#ff8200\" href=\"" + address + "\">" + address + "</a>");
    link_->setOpenExternalLinks(true);
    link_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    layout->addWidget(link_);
  } else {
    link_->hide();
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  ok_->setDefault(true);
}

void CAboutDlg::OnLanguageChanged(uint32_t tag, int language_index) {
  if (tag != text::kLanguageChangedTag) return;
  auto t = [&](std::string_view key) {
    return QString::fromStdString(texts_(key, language_index));
  };
  setWindowTitle(t("LANG_ABOUT_TITLE"));
  product_->setText(t("GUANYU_JIESHAO"));
  copyright_->setText(t("GUANYU_BANQUAN"));
  ok_->setText(t("LANG_ABOUT_OK"));
  language_index_ = language_index;
  RefreshVersions();
}

void CAboutDlg::RefreshVersions() {
  const QString program = QString::fromStdString(
      text::FormatWithText(texts_("ABOUT_PROGRAM_VERSION", language_index_), QUORLIN_VERSION));
  const QString firmware = firmware_line_ ? firmware_line_() : QString();
  versions_->setText(firmware.isEmpty() ? program : program + "\n" + firmware);
  adjustSize();
}

bool CAboutDlg::event(QEvent* e) {
  // F1 opens the help page, as in the main window.
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
    if (open_help_) open_help_();
    return true;
  }
  return QDialog::event(e);
}

}  // namespace quorlin::ui
