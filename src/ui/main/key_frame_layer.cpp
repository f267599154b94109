#include "ui/main/key_frame_layer.h"

#include <QPaintEvent>
#include <QPainter>

namespace quorlin::ui {

namespace {

bool CoversAnother(const std::vector<std::vector<QRect>>& places, std::size_t slot) {
  for (std::size_t other = 0; other < places.size(); ++other) {
    if (other == slot) continue;
    for (const QRect& mine : places[slot])
      for (const QRect& theirs : places[other])
        if (mine.intersects(theirs)) return true;
  }
  return false;
}

}  // namespace

KeyFrameLayer::KeyFrameLayer(QWidget* parent, std::vector<std::vector<QRect>> places)
    : QWidget(parent), colours_(places.size()) {
  for (std::size_t slot = 0; slot < places.size(); ++slot) {
    QRegion ring;
    for (const QRect& r : places[slot])
      ring += QRegion(r).subtracted(
          QRegion(r.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth)));
    rings_.push_back(ring);
    bounds_.push_back(ring.boundingRect());
    // A preview step paints every ring: one fill per key instead of one per
    // strip keeps that cheap. Overlapping keys (Enter over its neighbour's
    // corner) keep their strips so neither paints over the other's frame.
    fills_.push_back(CoversAnother(places, slot) ? std::vector<QRect>(ring.begin(), ring.end())
                                                 : places[slot]);
    all_rings_ += ring;
  }
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // Within its mask the layer paints every pixel, so nothing under a ring
  // is drawn again when only a frame's colour changes.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(parent->rect());
  hide();
}

void KeyFrameLayer::Show(const std::vector<std::optional<QColor>>& colours) {
  // Joining a hundred rings one by one costs more than painting them, so
  // the changed slots are collected first and joined only when few changed.
  std::vector<std::size_t> changed;
  bool shape_changed = false;
  for (std::size_t i = 0; i < colours_.size() && i < colours.size(); ++i) {
    if (colours_[i] == colours[i]) continue;
    shape_changed = shape_changed || colours_[i].has_value() != colours[i].has_value();
    colours_[i] = colours[i];
    changed.push_back(i);
  }
  // A slot with no key on the skin has no ring to show.
  bool all_shown = true;
  for (std::size_t i = 0; i < colours_.size(); ++i)
    all_shown = all_shown && (colours_[i].has_value() || rings_[i].isEmpty());
  QRegion dirty;
  if (all_shown && changed.size() * 2 > colours_.size()) {
    dirty = all_rings_;
  } else {
    for (std::size_t i : changed) dirty += Ring(i);
  }
  if (shape_changed) {
    QRegion shape;
    if (all_shown) {
      shape = all_rings_;
    } else {
      for (std::size_t i = 0; i < colours_.size(); ++i)
        if (colours_[i]) shape += Ring(i);
    }
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
  // The paint is clipped to the asked region and the mask, so a key's whole
  // rectangle may be filled: only its ring shows.
  const QRect asked = event->rect();
  for (std::size_t i = 0; i < colours_.size(); ++i) {
    if (!colours_[i] || !asked.intersects(bounds_[i])) continue;
    for (const QRect& r : fills_[i]) painter.fillRect(r, *colours_[i]);
  }
}

}  // namespace quorlin::ui
