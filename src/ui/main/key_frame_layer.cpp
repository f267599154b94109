#include "ui/main/key_frame_layer.h"

#include <QPaintEvent>
#include <QPainter>

namespace quorlin::ui {

KeyFrameLayer::KeyFrameLayer(QWidget* parent, std::vector<std::vector<QRect>> places)
    : QWidget(parent), colours_(places.size()) {
  for (const std::vector<QRect>& rects : places) {
    QRegion ring;
    for (const QRect& r : rects)
      ring += QRegion(r).subtracted(
          QRegion(r.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth)));
    rings_.push_back(ring);
    bounds_.push_back(ring.boundingRect());
  }
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // Within its mask the layer paints every pixel, so nothing under a ring
  // is drawn again when only a frame's colour changes.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(parent->rect());
  hide();
}

void KeyFrameLayer::Show(const std::vector<std::optional<QColor>>& colours) {
  QRegion dirty;
  bool shape_changed = false;
  for (std::size_t i = 0; i < colours_.size() && i < colours.size(); ++i) {
    if (colours_[i] == colours[i]) continue;
    shape_changed = shape_changed || colours_[i].has_value() != colours[i].has_value();
    colours_[i] = colours[i];
    dirty += Ring(i);
  }
  if (shape_changed) {
    QRegion shape;
    for (std::size_t i = 0; i < colours_.size(); ++i)
      if (colours_[i]) shape += Ring(i);
    // An empty mask would mean no mask at all: with no frame the layer goes.
    if (shape.isEmpty()) {
      hide();
      return;
    }
    setMask(shape);
    raise();
    show();
  }
  if (!dirty.isEmpty()) update(dirty);
}

void KeyFrameLayer::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRegion& asked = event->region();
  for (std::size_t i = 0; i < colours_.size(); ++i) {
    if (!colours_[i]) continue;
    if (!asked.intersects(bounds_[i])) continue;
    for (const QRect& r : Ring(i)) painter.fillRect(r, *colours_[i]);
  }
}

}  // namespace quorlin::ui
