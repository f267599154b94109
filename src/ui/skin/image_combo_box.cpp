#include "ui/skin/image_combo_box.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "ui/skin/packed_pieces.h"

namespace quorlin::ui {

CImageComboBox::CImageComboBox(QWidget* parent) : QComboBox(parent) {}

void CImageComboBox::setPicture(const QPixmap* picture) {
  picture_ = picture;
  setAttribute(Qt::WA_NoSystemBackground, picture != nullptr);
  update();
}

void CImageComboBox::paintEvent(QPaintEvent* event) {
  if (picture_ == nullptr) {
    QComboBox::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  painter.drawPixmap(rect(), *DrawablePiece(picture_));
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace quorlin::ui
