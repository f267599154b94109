#include "ui/editors/editor_position.h"

#include <algorithm>

namespace quorlin::ui {
namespace {

bool Fits(const QPoint& at, const QSize& size, const QRect& screen) {
  return screen.contains(QRect(at, size));
}

}  // namespace

QPoint EditorPositionBesideKey(const QRect& key, const QSize& size, const QRect& screen) {
  // The key's far edges, one past its last pixel, as window rectangles count.
  const int key_right = key.x() + key.width();
  const int key_bottom = key.y() + key.height();
  const QPoint below_right(key_right, key_bottom);
  if (Fits(below_right, size, screen)) return below_right;

  const bool room_right = key_right + size.width() <= screen.x() + screen.width();
  const bool room_above = key.y() - size.height() >= screen.y();
  const bool room_left = key.x() - size.width() >= screen.x();
  const bool room_below = key_bottom + size.height() <= screen.y() + screen.height();
  if (room_right && room_above) return {key_right, key.y() - size.height()};
  if (room_left && room_below) return {key.x() - size.width(), key_bottom};
  if (room_left && room_above) return {key.x() - size.width(), key.y() - size.height()};

  // Larger than the room on every side: stay as close to the first choice
  // as the screen allows.
  const int x = std::clamp(below_right.x(), screen.x(),
                           std::max(screen.x(), screen.x() + screen.width() - size.width()));
  const int y = std::clamp(below_right.y(), screen.y(),
                           std::max(screen.y(), screen.y() + screen.height() - size.height()));
  return {x, y};
}

QPoint EditorPositionCentred(const QSize& size, const QRect& screen) {
  return {screen.x() + (screen.width() - size.width()) / 2,
          screen.y() + (screen.height() - size.height()) / 2};
}

}  // namespace quorlin::ui
