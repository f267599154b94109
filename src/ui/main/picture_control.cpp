#include "ui/main/picture_control.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/skin/packed_pieces.h"

namespace quorlin::ui {

PictureControl::PictureControl(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
}

void PictureControl::SetPicture(const QPixmap* picture) {
  if (picture == picture_) return;
  picture_ = picture;
  update();
}

void PictureControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event) {
  // A click counts only when the button is let go over the picture, so a
  // press dragged away can still be taken back.
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
  pressed_ = false;
  if (click) emit clicked();
  event->accept();
}

void PictureControl::paintEvent(QPaintEvent*) {
  if (picture_ == nullptr) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, *DrawablePiece(picture_));
}

}  // namespace quorlin::ui
