#pragma once
// Each button's own pieces of the window's full-size state pictures. A
// full-size picture of the main window is several megabytes and there are
// eleven; the buttons together cover a small part of the window, so each
// button keeps just its rectangles and the big pictures can go.
//
// Pieces are packed (packed_pieces.h): a button unpacks the one it shows
// when it paints.
//
// Pieces are cut at the skin's scale (skin_scale.h) in device pixels and
// carry it as their device pixel ratio; when the scale changes they are cut
// again from the pictures of the new scale, in place.

#include <QImage>
#include <QMetaObject>
#include <QPixmap>
#include <QRect>
#include <deque>
#include <filesystem>
#include <vector>

#include "ui/skin/picture_piece.h"
#include "ui/skin/prepared_surfaces.h"

namespace quorlin::ui {

class ButtonCutouts {
 public:
  ButtonCutouts();
  ~ButtonCutouts();
  ButtonCutouts(const ButtonCutouts&) = delete;
  ButtonCutouts& operator=(const ButtonCutouts&) = delete;

  // The pieces a button of `size` shows when its pictures start at `origin`
  // (the skin's x, y: a button shows each surface from one pixel above and
  // left of it). Use them with the origin (1, 1). The same surface given
  // for several states is cut once; null surfaces stay null. A surface
  // that is an empty picture stands in for one read later: its pieces stay
  // black until Fill gives the real picture.
  ButtonSurfaces Cut(QPoint origin, QSize size, const ButtonSurfaces& from);

  // Draws every piece cut from `stand_in` out of `picture` (read from
  // `file`, which a change of scale reads again), in place: the buttons
  // keep the pointers they were given.
  void Fill(const QPixmap* stand_in, const QImage& picture, const std::filesystem::path& file = {});

  // Every piece cut again at `scale`.
  void Rescale(double scale);

  // Bytes held by all pieces, packed or waiting, for the memory figures.
  qint64 Bytes() const;

 private:
  struct Piece {
    QPixmap pixmap;
    const QPixmap* from;  // a prepared surface, or a stand-in until filled
    QPoint origin;
    QSize size;
    std::filesystem::path file;  // what filled a stand-in
    bool pending = false;        // a stand-in's piece, black until filled
  };
  const QPixmap* CutOne(QPoint origin, QSize size, const QPixmap* from);

  std::deque<Piece> pieces_;  // a deque keeps the pointers handed out valid
  QMetaObject::Connection follow_scale_;
};

// The main window's pieces of its four state pictures: each picture is read
// once at the skin's scale and every button cuts its rectangle out of it.
class WindowPieces {
 public:
  WindowPieces();
  ~WindowPieces();
  WindowPieces(const WindowPieces&) = delete;
  WindowPieces& operator=(const WindowPieces&) = delete;

  // Reads the state picture the next cuts come from into `into` (reusing
  // its memory: the pictures are all the window's size).
  void Load(const std::filesystem::path& file, QImage& into);
  // The piece of a button at `rect` (window coordinates): the picture from
  // one pixel above and left of it.
  const QPixmap* Cut(const QRect& rect, const QImage& from);
  // Every piece cut again from its picture read at `scale`.
  void Rescale(double scale);

 private:
  struct Piece {
    QPixmap pixmap;
    QRect rect;
    std::filesystem::path file;
  };
  std::deque<Piece> pieces_;
  std::filesystem::path current_;
  QMetaObject::Connection follow_scale_;
};

// The origin to give a button whose surfaces came from ButtonCutouts.
inline constexpr QPoint kCutoutOrigin{1, 1};

}  // namespace quorlin::ui
