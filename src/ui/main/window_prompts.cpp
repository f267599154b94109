#include "ui/main/window_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace quorlin::ui {

namespace {

QString FilterText(const profiles::FileDialogRequest& r) {
  QStringList parts;
  for (const profiles::FileFilter& f : r.filters)
    parts << QString::fromStdString(f.label) + " (" + QString::fromStdString(f.pattern) + ")";
  return parts.join(";;");
}

std::optional<std::filesystem::path> Chosen(const QString& file, const std::string& extension) {
  if (file.isEmpty()) return std::nullopt;
  std::filesystem::path p(file.toStdString());
  if (!p.has_extension() && !extension.empty()) p += "." + extension;
  return p;
}

}  // namespace

void DialogPrompts::Message(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  box.exec();
}

bool DialogPrompts::AskYesNo(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No,
                  parent);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::filesystem::path> DialogPrompts::OpenFile(QWidget* parent,
                                                             const profiles::FileDialogRequest& r) {
  const QString file = QFileDialog::getOpenFileName(
      parent, QString(), QString::fromStdString(r.initial.string()), FilterText(r));
  return Chosen(file, {});
}

std::optional<std::filesystem::path> DialogPrompts::SaveFile(QWidget* parent,
                                                             const profiles::FileDialogRequest& r) {
  // The dialog asks before overwriting unless told not to.
  const QString file = QFileDialog::getSaveFileName(
      parent, QString(), QString::fromStdString(r.initial.string()), FilterText(r), nullptr,
      r.confirm_overwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
  return Chosen(file, r.default_extension);
}

}  // namespace quorlin::ui
