#include "ui/skin/bitmap_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <optional>

namespace quorlin::ui {
namespace {

std::optional<SliderKey> SliderKeyOf(int key) {
  switch (key) {
    case Qt::Key_Left:
      return SliderKey::kLeft;
    case Qt::Key_Up:
      return SliderKey::kUp;
    case Qt::Key_Right:
      return SliderKey::kRight;
    case Qt::Key_Down:
      return SliderKey::kDown;
    case Qt::Key_PageUp:
      return SliderKey::kPageUp;
    case Qt::Key_PageDown:
      return SliderKey::kPageDown;
    case Qt::Key_Home:
      return SliderKey::kHome;
    case Qt::Key_End:
      return SliderKey::kEnd;
    default:
      return std::nullopt;
  }
}

}  // namespace

CBitmapSlider::CBitmapSlider(QWidget* parent, int control_id)
    : QWidget(parent), control_id_(control_id) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CBitmapSlider::SetRange(int min, int max) {
  range_ = {min, max};
  position_ = range_.Clamp(position_);
  update();
}

void CBitmapSlider::SetPos(int position) {
  position_ = range_.Clamp(position);
  update();
}

void CBitmapSlider::SetPicture(const QPixmap* picture) {
  picture_ = picture;
  update();
}

QSize CBitmapSlider::sizeHint() const {
  return picture_ ? picture_->size() : QSize(120, 20);
}

int CBitmapSlider::FaceWidth() const {
  return picture_ ? picture_->width() : width();
}

void CBitmapSlider::Post(int position) {
  position_ = range_.Clamp(position);
  update();
  emit positionPosted(control_id_, position_);
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_) {
    painter.drawPixmap(0, 0, *picture_);
  } else {
    painter.fillRect(rect(), palette().window());
  }
  if (armed_) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void CBitmapSlider::FollowPointer(int x) {
  if (x == SliderPixelOfPosition(position_, FaceWidth(), range_)) return;
  Post(SliderPositionFromX(x, FaceWidth(), range_));
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  armed_ = true;
  dragging_ = true;
  FollowPointer(static_cast<int>(event->position().x()));
  update();
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) FollowPointer(static_cast<int>(event->position().x()));
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return QWidget::mouseReleaseEvent(event);
  dragging_ = false;
  Post(position_);
}

void CBitmapSlider::wheelEvent(QWheelEvent* event) {
  if (!armed_) return QWidget::wheelEvent(event);
  const int delta = event->angleDelta().y();
  if (delta == 0) return QWidget::wheelEvent(event);
  Post(SliderPositionAfterWheel(delta, position_, range_));
  event->accept();
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
  const std::optional<SliderKey> key = SliderKeyOf(event->key());
  if (!key) return QWidget::keyPressEvent(event);
  Post(SliderPositionAfterKey(*key, position_, range_, page_));
  event->accept();
}

void CBitmapSlider::leaveEvent(QEvent* event) {
  if (armed_) {
    armed_ = false;
    update();
  }
  QWidget::leaveEvent(event);
}

bool CBitmapSlider::event(QEvent* event) {
  // The arrow keys belong to the slider, not to focus moves, unless Tab is
  // part of the key press.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key_event = static_cast<QKeyEvent*>(event);
    if (key_event->key() != Qt::Key_Tab && key_event->key() != Qt::Key_Backtab &&
        SliderKeyOf(key_event->key())) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

}  // namespace quorlin::ui
