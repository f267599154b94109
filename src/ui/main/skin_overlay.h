#pragma once
// A transparent layer as large as its window, holding controls placed in
// the window's own coordinates from the Skin file. It takes the mouse only
// over its visible controls, so layers and the window's own controls can
// overlap freely and a press on the bare picture still moves the window.

#include <QWidget>

namespace quorlin::ui {

class SkinOverlay : public QWidget {
  Q_OBJECT

 public:
  explicit SkinOverlay(QWidget* window);

  // Limits the layer's input to its visible controls; run after the
  // controls were placed, shown or hidden.
  void UpdateInputArea();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quorlin::ui
