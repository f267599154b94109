#include "ui/editors/message_box_view.h"

#include <QApplication>
#include <QMessageBox>

namespace quorlin::ui {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void MessageBoxView::ShowMessage(std::string_view text) {
  QMessageBox::information(parent_, QApplication::applicationDisplayName(), ToQString(text));
}

bool MessageBoxView::AskYesNo(std::string_view text) {
  return QMessageBox::question(parent_, QApplication::applicationDisplayName(), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace quorlin::ui
