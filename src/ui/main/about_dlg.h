#pragma once
// The about box: one per program, modeless, with the product line, the
// program's and the keyboard's firmware versions, the copyright line and the
// skin's web link. Opening it while it is open
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

  // `firmware_line` gives the window's line on the firmware ("Firmware
  // 1.05", or that no keyboard is connected).
  CAboutDlg(Lookup texts, std::string link, std::function<void()> open_help,
            std::function<QString()> firmware_line = {});

  void OnLanguageChanged(uint32_t tag, int language_index);
  // Reads the firmware line again (the keyboard may have come or gone).
  void RefreshVersions();

 protected:
  bool event(QEvent* event) override;

 private:
  Lookup texts_;
  std::function<void()> open_help_;
  std::function<QString()> firmware_line_;
  int language_index_ = 0;
  QLabel* product_;
  QLabel* versions_;
  QLabel* copyright_;
  QLabel* link_;
  QPushButton* ok_;
};

}  // namespace quorlin::ui
