#include "ui/skin/picture_piece.h"

#include <QPainter>

namespace quorlin::ui {

QPixmap BlackPiece(QSize size, double scale) {
  const QSize logical = size.expandedTo(QSize(1, 1));
  QPixmap piece(QSizeF(logical.width() * scale, logical.height() * scale).toSize());
  piece.setDevicePixelRatio(scale);
  piece.fill(Qt::black);
  return piece;
}

void DrawPieceOf(QPixmap& piece, QPoint origin, const QImage& picture) {
  QPainter painter(&piece);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QPoint(1, 1) - origin, picture);
}

void DrawPieceOf(QPixmap& piece, QPoint origin, const QPixmap& picture) {
  QPainter painter(&piece);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(QPoint(1, 1) - origin, picture);
}

QPixmap CutPiece(const QRect& rect, const QImage& from, double scale) {
  QPixmap piece = BlackPiece(rect.size(), scale);
  DrawPieceOf(piece, rect.topLeft(), from);
  return piece;
}

}  // namespace quorlin::ui
