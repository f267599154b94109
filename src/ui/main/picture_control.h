#pragma once
// A picture on the panel that acts on a click (the light switch, direction,
// multi-colour, swatch and brush pictures). Its owner decides the picture.

#include <QLabel>

namespace quorlin::ui {

class PictureControl : public QLabel {
  Q_OBJECT

 public:
  explicit PictureControl(QWidget* parent = nullptr);

  // Not owned; null shows nothing.
  void SetPicture(const QPixmap* picture);
  const QPixmap* Picture() const { return picture_; }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  const QPixmap* picture_ = nullptr;
  bool pressed_ = false;
};

}  // namespace quorlin::ui
