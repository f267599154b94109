#include "ui/skin/skin_color_btn.h"

#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "ui/skin/color_popup.h"
#include "ui/skin/draw_text_flags.h"

namespace quorlin::ui {
namespace {

// The grey of the drop-down part.
constexpr QColor kDropDownGrey = ColorFromColorRef(0x008B9294);

}  // namespace

CSkinColorBtn::CSkinColorBtn(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractButton::clicked, this, &CSkinColorBtn::showPalette);
}

void CSkinColorBtn::setColor(const QColor& color) {
  color_ = color;
  update();
}

void CSkinColorBtn::setAutomaticColor(const QColor& color) {
  automatic_ = color;
  update();
}

QPoint CSkinColorBtn::PopupPosition(const QRect& button, const QSize& popup, const QRect& area) {
  // Below the button, else above it; moved in so the whole popup is on
  // the screen, as the key editor is placed.
  QPoint at(button.left(), button.bottom() + 1);
  if (!area.isValid()) return at;
  if (at.y() + popup.height() > area.bottom() + 1 && button.top() - popup.height() >= area.top())
    at.setY(button.top() - popup.height());
  at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - popup.width())));
  at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - popup.height())));
  return at;
}

void CSkinColorBtn::showPalette() {
  auto* popup = new ColorPopup(this, color_, automatic_, automatic_text_, other_text_);
  connect(popup, &ColorPopup::colorPicked, this, [this](const QColor& picked) {
    setColor(picked);
    emit colorChosen(picked);
  });
  popup->adjustSize();
  popup->move(PopupPosition(QRect(mapToGlobal(QPoint(0, 0)), size()), popup->size(),
                            screen() ? screen()->availableGeometry() : QRect()));
  popup->show();
}

void CSkinColorBtn::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Corners are inclusive as on the drawing surface the face was made for;
  // the rectangles reach one pixel past the client area and are clipped.
  const QRect item = rect().adjusted(-1, -1, 1, 1);
  const int right = item.right() + 1;  // exclusive right edge of the grown item
  const int middle = item.height() / 2;

  // 1. The swatch over the left half.
  const QRect swatch(QPoint(item.left(), item.top()), QPoint(right / 2 + 5 - 1, item.bottom()));
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(isEnabled() ? QBrush(shownColor()) : QBrush(Qt::NoBrush));
  painter.drawRect(swatch.adjusted(0, 0, -1, -1));

  // 2. The drop-down part.
  const QRect grown = rect().adjusted(-1, -2, 1, 2);
  const QRect part(QPoint(grown.left() + grown.right() / 2 + 3, grown.top()), grown.bottomRight());
  painter.setPen(Qt::black);
  painter.setBrush(kDropDownGrey);
  painter.drawRect(part.adjusted(0, 0, -1, -1));

  // 3. The arrow.
  QPainterPath arrow;
  arrow.moveTo(right - 11, middle - 2);
  arrow.lineTo(right - 5, middle - 2);
  arrow.lineTo(right - 8, middle + 1);
  arrow.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawPath(arrow);

  // 4. Focus and hover frame.
  if (hasFocus() || underMouse()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void CSkinColorBtn::enterEvent(QEnterEvent* event) {
  update();
  QAbstractButton::enterEvent(event);
}

void CSkinColorBtn::leaveEvent(QEvent* event) {
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace quorlin::ui
