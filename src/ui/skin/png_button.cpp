#include "ui/skin/png_button.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>
#include <utility>

#include "ui/skin/packed_pieces.h"

namespace quorlin::ui {

CPngButton::CPngButton(QWidget* parent) : QAbstractButton(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover, false);  // hover is the button's own state
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setFocusPolicy(Qt::NoFocus);
  tooltip_timer_.setSingleShot(true);
  tooltip_timer_.setInterval(kTooltipDelayMs);
  connect(&tooltip_timer_, &QTimer::timeout, this, &CPngButton::ShowTooltip);
}

CPngButton::~CPngButton() = default;

void CPngButton::ClearInteraction() {
  hover_ = false;
  setDown(false);
  tooltip_timer_.stop();
}

void CPngButton::SetStateSurfaces(int x, int y, const ButtonSurfaces& surfaces) {
  origin_ = {x, y};
  SetStateSurfaces(surfaces);
}

void CPngButton::SetStateSurfaces(const ButtonSurfaces& surfaces) {
  surfaces_ = surfaces;
  AskForPieces();
  ClearInteraction();
  update();
}

void CPngButton::SetPictureOrigin(int x, int y) {
  origin_ = {x, y};
  AskForPieces();
  update();
}

void CPngButton::AskForPieces() const {
  // Asked for now, all the window's buttons together, so the first paint
  // reads each state picture once for all of them.
  for (const QPixmap* s : {surfaces_.normal, surfaces_.over, surfaces_.down, surfaces_.disabled,
                           surfaces_.selected, picture_off_, picture_on_})
    StatePiece(s, origin_, size());
}

void CPngButton::SetTwoPictureMode(const QPixmap* off, const QPixmap* on, bool mode, bool on_flag) {
  picture_off_ = off;
  picture_on_ = on;
  two_picture_mode_ = mode;
  on_ = on_flag;
  AskForPieces();
  ClearInteraction();
  update();
}

void CPngButton::SetSelected(bool selected, bool repaint) {
  selected_ = selected;
  if (repaint) update();
}

void CPngButton::SetFrame(const QColor& colour, bool on) {
  frame_colour_ = colour;
  frame_on_ = on;
  update();
}

void CPngButton::SetCaptionStyle(bool on, int point_size, const QString& face,
                                 const CaptionColours& colours, unsigned format) {
  caption_on_ = on;
  point_size_ = point_size;
  face_ = face;
  colours_ = colours;
  format_ = format;
  update();
}

void CPngButton::SetTextMargins(int left, int right, int top, int bottom) {
  margin_left_ = left;
  margin_right_ = right;
  margin_top_ = top;
  margin_bottom_ = bottom;
  update();
}

void CPngButton::SetTextRotation(int escapement, bool rotated) {
  escapement_ = escapement;
  rotated_ = rotated;
  update();
}

void CPngButton::SetTooltipText(const QString& text, bool active) {
  if (text.isEmpty()) return;
  tooltip_text_ = text;
  tooltip_active_ = active;
  if (!active) {
    tooltip_timer_.stop();
    if (QToolTip::isVisible() && QToolTip::text() == text) QToolTip::hideText();
  }
  update();
}

void CPngButton::SetDrawCallback(DrawCallback callback) {
  draw_callback_ = std::move(callback);
  update();
}

ButtonFace CPngButton::currentFace() const {
  ButtonFaceState state;
  state.enabled = isEnabled();
  state.two_picture_mode = two_picture_mode_;
  state.on = on_;
  state.pressed = isDown();
  state.hover = hover_;
  state.selected = selected_;
  return ChooseButtonFace(state);
}

const QPixmap* CPngButton::SurfaceFor(FaceSurface surface) const {
  switch (surface) {
    case FaceSurface::kNormal:
      return surfaces_.normal;
    case FaceSurface::kOver:
      return surfaces_.over;
    case FaceSurface::kDown:
      return surfaces_.down;
    case FaceSurface::kDisabled:
      return surfaces_.disabled;
    case FaceSurface::kSelected:
      return surfaces_.selected;
    case FaceSurface::kPictureOff:
      return picture_off_;
    case FaceSurface::kPictureOn:
      return picture_on_;
  }
  return nullptr;
}

QColor CPngButton::ColourFor(FaceColour colour) const {
  switch (colour) {
    case FaceColour::kNormal:
      return colours_.normal;
    case FaceColour::kOver:
      return colours_.over;
    case FaceColour::kDown:
      return colours_.down;
    case FaceColour::kDisabled:
      return colours_.disabled;
    case FaceColour::kSelected:
      return colours_.selected;
  }
  return colours_.normal;
}

void CPngButton::paintEvent(QPaintEvent*) {
  const ButtonFace face = currentFace();
  const QPixmap* surface = SurfaceFor(face.surface);
  // A window's state picture is drawn from this button's own piece of it.
  const QPixmap* shown = surface;
  QPoint origin = origin_;
  if (const QPixmap* piece = StatePiece(surface, origin_, size())) {
    CutWaitingStatePieces();
    shown = piece;
    origin = {1, 1};
  }
  const QPixmap* drawn = DrawablePiece(shown);
  QPainter painter(this);
  if (frame_on_) {
    painter.setPen(QPen(frame_colour_, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, width() - 2, height() - 2));
  } else if (drawn != nullptr) {
    // The skin's rectangles are logical pixels; the surface may hold more
    // pixels per logical one (its device pixel ratio).
    const qreal r = drawn->devicePixelRatio();
    painter.drawPixmap(
        QRectF(0, 0, width(), height()), *drawn,
        QRectF((origin.x() - 1) * r, (origin.y() - 1) * r, width() * r, height() * r));
  }
  if (caption_on_) DrawCaption(painter, ColourFor(face.colour));
  painter.end();
  if (draw_callback_) draw_callback_(this, surface != nullptr && surface == surfaces_.normal);
}

void CPngButton::DrawCaption(QPainter& painter, const QColor& colour) {
  const QString caption = text();
  if (caption.isEmpty()) return;
  QFont font(face_);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(point_size_ * logicalDpiY() / 72.0))));
  font.setWeight(rotated_ ? QFont::Black : QFont::Normal);
  painter.setFont(font);
  painter.setPen(colour);
  const QRect area(QPoint(margin_left_, margin_top_),
                   QPoint(width() - 1 + margin_right_, height() - 1 + margin_bottom_));
  const int flags = QtTextFlags(format_);
  QString shown = caption;
  if (format_ & draw_text::kEndEllipsis)
    shown = painter.fontMetrics().elidedText(caption, Qt::ElideRight, area.width());
  if (!rotated_ && escapement_ == 0) {
    painter.drawText(area, flags, shown);
    return;
  }
  // A turned caption is centred on the rectangle's middle whatever its angle.
  const QFontMetrics metrics(font);
  const int text_width = metrics.horizontalAdvance(shown);
  const int text_height = metrics.height();
  painter.save();
  painter.translate(QRectF(area).center());
  painter.rotate(-escapement_ / 10.0);
  painter.drawText(QRect(-text_width / 2, -text_height / 2, text_width, text_height),
                   Qt::AlignCenter | (flags & Qt::TextShowMnemonic), shown);
  painter.restore();
}

void CPngButton::StartHover() {
  hover_ = true;
  update();
  if (tooltip_active_ && !tooltip_text_.isEmpty()) tooltip_timer_.start();
}

void CPngButton::ShowTooltip() {
  if (!hover_ || !tooltip_active_ || tooltip_text_.isEmpty()) return;
  QToolTip::showText(QCursor::pos(), tooltip_text_, this, rect());
}

void CPngButton::enterEvent(QEnterEvent* event) {
  StartHover();
  QAbstractButton::enterEvent(event);
}

void CPngButton::leaveEvent(QEvent* event) {
  hover_ = false;
  tooltip_timer_.stop();
  if (QToolTip::isVisible() && QToolTip::text() == tooltip_text_) QToolTip::hideText();
  update();
  QAbstractButton::leaveEvent(event);
}

void CPngButton::mouseMoveEvent(QMouseEvent* event) {
  // A setter clears the hover; the next move over the button brings it back.
  if (!hover_ && rect().contains(event->position().toPoint())) StartHover();
  QAbstractButton::mouseMoveEvent(event);
}

void CPngButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a press like the first, so a
  // double click gives two clicks.
  mousePressEvent(event);
}

void CPngButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QAbstractButton::changeEvent(event);
}

}  // namespace quorlin::ui
