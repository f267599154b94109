#pragma once
// A button's piece of a window-sized picture: the rectangle it shows, cut
// out so the big picture need not be kept. Pieces are in device pixels at
// the skin's scale and carry it as their device pixel ratio.

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorlin::ui {

// A black piece for a button of `size` (logical pixels) at `scale`.
QPixmap BlackPiece(QSize size, double scale);

// Draws into `piece` the part of `picture` a button whose pictures start at
// `origin` shows: from one logical pixel above and left of it. Drawn in
// logical pixels, so a picture of another ratio (a plain one standing in
// for a missing twin, or a twin for a scale between 1 and 2) is scaled
// smoothly.
void DrawPieceOf(QPixmap& piece, QPoint origin, const QImage& picture);
void DrawPieceOf(QPixmap& piece, QPoint origin, const QPixmap& picture);

// A button's piece of a picture at `scale`, in device pixels: the picture
// from one logical pixel above and left of `rect`, black past its edges.
QPixmap CutPiece(const QRect& rect, const QImage& from, double scale);

}  // namespace quorlin::ui
