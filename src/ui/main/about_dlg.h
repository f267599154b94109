#pragma once
// The about box: one per program, modeless, with the product line, the
// copyright line and the skin's web link. Opening it while it is open
// brings the open one forward instead of making a second.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <string>

#include "text/text_source.h"

namespace quorlin::ui {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  // `texts` looks up a TEXT key in a Language index.
  using Lookup = std::function<std::string(std::string_view key, int language_index)>;

  CAboutDlg(Lookup texts, std::string link, std::function<void()> open_help);

  void OnLanguageChanged(uint32_t tag, int language_index);

 protected:
  bool event(QEvent* event) override;

 private:
  Lookup texts_;
  std::function<void()> open_help_;
  QLabel* product_;
  QLabel* copyright_;
  QLabel* link_;
  QPushButton* ok_;
};

}  // namespace quorlin::ui
