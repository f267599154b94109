#include "ui/main/button_cutouts.h"

#include <QPainter>

namespace quorlin::ui {

const QPixmap* ButtonCutouts::CutOne(QPoint origin, QSize size, const QPixmap* from) {
  if (from == nullptr) return nullptr;
  // Drawn rather than copied: a button reaching past the picture's edge
  // shows black there, as on a padded surface, whatever picture it came from.
  QPixmap piece(size.expandedTo(QSize(1, 1)));
  piece.fill(Qt::black);
  QPainter painter(&piece);
  painter.drawPixmap(QPoint(1, 1) - origin, *from);
  painter.end();
  pieces_.push_back(std::move(piece));
  return &pieces_.back();
}

ButtonSurfaces ButtonCutouts::Cut(QPoint origin, QSize size, const ButtonSurfaces& from) {
  const QPixmap* sources[5] = {from.normal, from.over, from.down, from.disabled, from.selected};
  const QPixmap* cuts[5] = {};
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < i && cuts[i] == nullptr; ++j)
      if (sources[j] == sources[i]) cuts[i] = cuts[j];
    if (cuts[i] == nullptr) cuts[i] = CutOne(origin, size, sources[i]);
  }
  return {cuts[0], cuts[1], cuts[2], cuts[3], cuts[4]};
}

qint64 ButtonCutouts::Bytes() const {
  qint64 total = 0;
  for (const QPixmap& p : pieces_)
    total += static_cast<qint64>(p.width()) * p.height() * ((p.depth() + 7) / 8);
  return total;
}

}  // namespace quorlin::ui
