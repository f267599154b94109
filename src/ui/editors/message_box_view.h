#pragma once
// Messages and Yes/No questions as message boxes over a window.

#include <QPointer>
#include <QWidget>

#include "macros/message_view.h"

namespace quorlin::ui {

class MessageBoxView final : public macros::MessageView {
 public:
  explicit MessageBoxView(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(std::string_view text) override;
  // No is the default button.
  bool AskYesNo(std::string_view text) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quorlin::ui
