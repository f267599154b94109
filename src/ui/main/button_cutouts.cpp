#include "ui/main/button_cutouts.h"

#include <QPainter>

namespace quorlin::ui {

const QPixmap* ButtonCutouts::CutOne(QPoint origin, QSize size, const QPixmap* from) {
  if (from == nullptr) return nullptr;
  // Drawn rather than copied: a button reaching past the picture's edge
  // shows black there, as on a padded surface, whatever picture it came from.
  QPixmap piece(size.expandedTo(QSize(1, 1)));
  piece.fill(Qt::black);
  if (!from->isNull()) {
    QPainter painter(&piece);
    painter.drawPixmap(QPoint(1, 1) - origin, *from);
  }
  pieces_.push_back(std::move(piece));
  if (from->isNull()) pending_.push_back({&pieces_.back(), from, origin});
  return &pieces_.back();
}

void ButtonCutouts::Fill(const QPixmap* stand_in, const QImage& picture) {
  std::erase_if(pending_, [&](const Pending& p) {
    if (p.stand_in != stand_in) return false;
    QPainter painter(p.piece);
    painter.drawImage(QPoint(1, 1) - p.origin, picture);
    return true;
  });
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
