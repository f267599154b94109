#include "ui/main/window_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace quorlin::ui {

QString FilterText(const profiles::FileDialogRequest& r) {
  QStringList parts;
  for (const profiles::FileFilter& f : r.filters) {
    const QString label = QString::fromStdString(f.label);
    const QString pattern = "(" + QString::fromStdString(f.pattern) + ")";
    // Qt's chooser takes the pattern from the parentheses: a label that
    // shows them already is used as it is.
    if (label.contains(pattern)) {
      parts << label;
    } else if (label.isEmpty()) {
      parts << pattern;
    } else {
      parts << label + " " + pattern;
    }
  }
  return parts.join(";;");
}

namespace {

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
  // Closed by the program's end, it is a No as much as the No button.
  return box.exec() == QMessageBox::Yes && box.clickedButton() == box.button(QMessageBox::Yes);
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
