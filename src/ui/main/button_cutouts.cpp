#include "ui/main/button_cutouts.h"

#include <map>
#include <optional>

#include "ui/skin/packed_pieces.h"
#include "ui/skin/picture_piece.h"
#include "ui/skin/skin_picture.h"
#include "ui/skin/skin_scale.h"

namespace quorlin::ui {

ButtonCutouts::ButtonCutouts()
    : follow_scale_(QObject::connect(&SkinScaleChanges(), &SkinScaleNotifier::changed,
                                     [this](double scale) { Rescale(scale); })) {}

ButtonCutouts::~ButtonCutouts() {
  QObject::disconnect(follow_scale_);
  for (const Piece& p : pieces_) ForgetPiece(p.pixmap);
}

const QPixmap* ButtonCutouts::CutOne(QPoint origin, QSize size, const QPixmap* from) {
  if (from == nullptr) return nullptr;
  // Drawn rather than copied: a button reaching past the picture's edge
  // shows black there, as on a padded surface, whatever picture it came from.
  Piece piece{BlackPiece(size, SkinScale()), from, origin, size, {}, from->isNull()};
  if (!from->isNull()) DrawPieceOf(piece.pixmap, origin, *from);
  pieces_.push_back(std::move(piece));
  // A stand-in's piece is packed black: it packs to next to nothing until
  // its picture comes.
  PackPiece(pieces_.back().pixmap);
  return &pieces_.back().pixmap;
}

void ButtonCutouts::Fill(const QPixmap* stand_in, const QImage& picture,
                         const std::filesystem::path& file) {
  for (Piece& p : pieces_) {
    if (p.from != stand_in || !p.pending) continue;
    p.pixmap = BlackPiece(p.size, SkinScale());
    DrawPieceOf(p.pixmap, p.origin, picture);
    p.file = file;
    p.pending = false;
    p.from = nullptr;  // the stand-in may go now
    PackPiece(p.pixmap);
  }
}

void ButtonCutouts::Rescale(double scale) {
  // Each picture read once; one that can no longer be read keeps its pieces.
  std::map<std::filesystem::path, std::optional<QImage>> read;
  for (Piece& p : pieces_) {
    if (p.from != nullptr && !p.pending) {
      p.pixmap = BlackPiece(p.size, scale);
      DrawPieceOf(p.pixmap, p.origin, *p.from);  // prepared surfaces are rescaled first
      PackPiece(p.pixmap);
    } else if (!p.file.empty()) {
      auto it = read.find(p.file);
      if (it == read.end())
        it = read.emplace(p.file, TryLoadScaledSkinImage(p.file, CuttingScale(scale), nullptr))
                 .first;
      if (!it->second) continue;
      p.pixmap = BlackPiece(p.size, scale);
      DrawPieceOf(p.pixmap, p.origin, *it->second);
      PackPiece(p.pixmap);
    } else {
      p.pixmap = BlackPiece(p.size, scale);  // still waiting for its picture
      PackPiece(p.pixmap);
    }
  }
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
  for (const Piece& p : pieces_)
    total += IsPackedPiece(&p.pixmap) ? PackedPieceBytes(p.pixmap)
                                      : static_cast<qint64>(p.pixmap.width()) * p.pixmap.height() *
                                            ((p.pixmap.depth() + 7) / 8);
  return total;
}

WindowPieces::WindowPieces()
    : follow_scale_(QObject::connect(&SkinScaleChanges(), &SkinScaleNotifier::changed,
                                     [this](double scale) { Rescale(scale); })) {}

WindowPieces::~WindowPieces() {
  QObject::disconnect(follow_scale_);
  for (const Piece& p : pieces_) ForgetPiece(p.pixmap);
}

void WindowPieces::Load(const std::filesystem::path& file, QImage& into) {
  current_ = file;
  LoadScaledSkinImageInto(file, CuttingScale(SkinScale()), into);
}

const QPixmap* WindowPieces::Cut(const QRect& rect, const QImage& from) {
  pieces_.push_back({CutPiece(rect, from, SkinScale()), rect, current_});
  PackPiece(pieces_.back().pixmap);
  return &pieces_.back().pixmap;
}

void WindowPieces::Rescale(double scale) {
  std::map<std::filesystem::path, std::optional<QImage>> read;
  for (Piece& p : pieces_) {
    auto it = read.find(p.file);
    if (it == read.end())
      it = read.emplace(p.file, TryLoadScaledSkinImage(p.file, CuttingScale(scale), nullptr)).first;
    if (!it->second) continue;
    p.pixmap = CutPiece(p.rect, *it->second, scale);
    PackPiece(p.pixmap);
  }
}

}  // namespace quorlin::ui
