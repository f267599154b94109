#pragma once
// A combo box that can show a picture, stretched, instead of its own
// background.

#include <QComboBox>
#include <QPixmap>

namespace quorlin::ui {

class CImageComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit CImageComboBox(QWidget* parent = nullptr);

  // Not owned; null for the ordinary look.
  void setPicture(const QPixmap* picture);
  const QPixmap* picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QPixmap* picture_ = nullptr;
};

}  // namespace quorlin::ui
