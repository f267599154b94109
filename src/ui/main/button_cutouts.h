#pragma once
// Each button's own pieces of the window's full-size state pictures. A
// full-size picture of the main window is several megabytes and there are
// eleven; the buttons together cover a small part of the window, so each
// button keeps just its rectangles and the big pictures can go.

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <deque>
#include <vector>

#include "ui/skin/prepared_surfaces.h"

namespace quorlin::ui {

class ButtonCutouts {
 public:
  // The pieces a button of `size` shows when its pictures start at `origin`
  // (the skin's x, y: a button shows each surface from one pixel above and
  // left of it). Use them with the origin (1, 1). The same surface given
  // for several states is cut once; null surfaces stay null. A surface
  // that is an empty picture stands in for one read later: its pieces stay
  // black until Fill gives the real picture.
  ButtonSurfaces Cut(QPoint origin, QSize size, const ButtonSurfaces& from);

  // Draws every piece cut from `stand_in` out of `picture`, in place: the
  // buttons keep the pointers they were given.
  void Fill(const QPixmap* stand_in, const QImage& picture);

  // Bytes held by all pieces, for the memory figures.
  qint64 Bytes() const;

 private:
  const QPixmap* CutOne(QPoint origin, QSize size, const QPixmap* from);

  struct Pending {
    QPixmap* piece;
    const QPixmap* stand_in;
    QPoint origin;
  };

  std::deque<QPixmap> pieces_;  // a deque keeps the pointers handed out valid
  std::vector<Pending> pending_;
};

// The origin to give a button whose surfaces came from ButtonCutouts.
inline constexpr QPoint kCutoutOrigin{1, 1};

}  // namespace quorlin::ui
