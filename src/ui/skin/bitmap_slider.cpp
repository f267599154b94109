#include "ui/skin/bitmap_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

#include "ui/skin/packed_pieces.h"

namespace quorlin::ui {
namespace {

using lighting::SliderKey;

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
  range_.minimum = min;
  range_.maximum = max;
  SetPos(state_.position);
}

void CBitmapSlider::SetPos(int position) {
  state_.position = std::clamp(position, range_.minimum, std::max(range_.minimum, range_.maximum));
  update();
}

void CBitmapSlider::SetPicture(const QPixmap* picture) {
  picture_ = picture;
  update();
}

QSize CBitmapSlider::sizeHint() const {
  return picture_ ? DrawablePiece(picture_)->deviceIndependentSize().toSize() : QSize(120, 20);
}

int CBitmapSlider::FaceWidth() const {
  return picture_ ? static_cast<int>(DrawablePiece(picture_)->deviceIndependentSize().width() + 0.5)
                  : width();
}

void CBitmapSlider::Apply(const lighting::SliderOutcome& outcome) {
  state_ = outcome.state;
  update();
  if (outcome.posted) emit positionPosted(control_id_, *outcome.posted);
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_) {
    painter.drawPixmap(0, 0, *DrawablePiece(picture_));
  } else {
    painter.fillRect(rect(), palette().window());
  }
  if (state_.armed) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  Apply(
      lighting::SliderPress(state_, static_cast<int>(event->position().x()), FaceWidth(), range_));
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!state_.dragging) return QWidget::mouseMoveEvent(event);
  Apply(lighting::SliderDrag(state_, static_cast<int>(event->position().x()), FaceWidth(), range_));
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !state_.dragging) {
    return QWidget::mouseReleaseEvent(event);
  }
  Apply(lighting::SliderRelease(state_));
}

void CBitmapSlider::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (!state_.armed || delta == 0) return QWidget::wheelEvent(event);
  Apply(lighting::SliderWheel(state_, delta, range_));
  event->accept();
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
  const std::optional<SliderKey> key = SliderKeyOf(event->key());
  if (!key) return QWidget::keyPressEvent(event);
  Apply(lighting::SliderKeyPress(state_, *key, range_));
  event->accept();
}

void CBitmapSlider::leaveEvent(QEvent* event) {
  if (state_.armed) Apply(lighting::SliderLeave(state_));
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
