#include "ui/main/button_cutouts.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/temp_folder.h"
#include "ui/skin/packed_pieces.h"
#include "ui/skin/skin_picture.h"
#include "ui/skin/skin_scale.h"
#include "views_fixture.h"

namespace quorlin::ui {
namespace {

// A picture whose pixels tell where they are.
QPixmap CoordinatePicture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x, y, 100));
  return QPixmap::fromImage(image);
}

// A pixel of a piece as a button draws it, packed or not.
QRgb Shown(const QPixmap* piece, QPoint at) {
  return DrawablePiece(piece)->toImage().pixel(at);
}

TEST(ButtonCutouts, APieceStartsOnePixelAboveAndLeftAndIsBlackPastTheEdge) {
  testing::EnsureApplication();
  const QPixmap picture = CoordinatePicture(20, 10);
  struct Case {
    QPoint origin;  // the skin's x, y
    QPoint in_piece;
    QRgb expected;
  };
  const Case cases[] = {
      {{5, 3}, {0, 0}, qRgb(4, 2, 100)},   {{5, 3}, {3, 2}, qRgb(7, 4, 100)},
      {{18, 9}, {1, 0}, qRgb(18, 8, 100)}, {{18, 9}, {3, 0}, qRgb(0, 0, 0)},  // past the right edge
      {{18, 9}, {0, 2}, qRgb(0, 0, 0)},                                       // past the bottom
  };
  for (const Case& c : cases) {
    ButtonCutouts cutouts;
    const ButtonSurfaces s = cutouts.Cut(c.origin, QSize(4, 4), SameSurface(&picture));
    ASSERT_NE(s.normal, nullptr);
    EXPECT_EQ(Shown(s.normal, c.in_piece), c.expected)
        << c.origin.x() << ',' << c.origin.y() << " at " << c.in_piece.x() << ',' << c.in_piece.y();
  }
}

// Pieces are kept packed and show the pixels they were cut with.
TEST(ButtonCutouts, ASurfaceGivenForSeveralStatesIsCutOnceAndPacked) {
  testing::EnsureApplication();
  const QPixmap a = CoordinatePicture(8, 8);
  const QPixmap b = CoordinatePicture(9, 9);
  ButtonCutouts cutouts;
  const ButtonSurfaces s = cutouts.Cut({2, 2}, {3, 3}, {&a, &b, &a, nullptr, &b});
  EXPECT_EQ(s.normal, s.down);
  EXPECT_EQ(s.over, s.selected);
  EXPECT_NE(s.normal, s.over);
  EXPECT_EQ(s.disabled, nullptr);
  EXPECT_TRUE(IsPackedPiece(s.normal));
  EXPECT_TRUE(IsPackedPiece(s.over));
  EXPECT_EQ(cutouts.Bytes(), PackedPieceBytes(*s.normal) + PackedPieceBytes(*s.over));
  for (const QPixmap* p : {s.normal, s.over})
    for (const QPoint at : {QPoint(0, 0), QPoint(2, 1)})
      EXPECT_EQ(Shown(p, at), qRgb(at.x() + 1, at.y() + 1, 100));
}

TEST(ButtonCutouts, PiecesOfAStandInAreDrawnWhenItsPictureComes) {
  testing::EnsureApplication();
  const QPixmap stand_in_a;
  const QPixmap stand_in_b;
  const QImage a = CoordinatePicture(20, 10).toImage();
  ButtonCutouts cutouts;
  const ButtonSurfaces first =
      cutouts.Cut({5, 3}, {4, 4}, {&stand_in_a, &stand_in_b, &stand_in_a, nullptr, nullptr});
  const ButtonSurfaces second = cutouts.Cut({18, 9}, {4, 4}, SameSurface(&stand_in_a));
  EXPECT_EQ(Shown(first.normal, {0, 0}), qRgb(0, 0, 0));

  cutouts.Fill(&stand_in_a, a);
  EXPECT_EQ(first.normal, first.down);
  EXPECT_EQ(Shown(first.normal, {3, 2}), qRgb(7, 4, 100));
  EXPECT_EQ(Shown(second.normal, {1, 0}), qRgb(18, 8, 100));
  EXPECT_EQ(Shown(second.normal, {3, 0}), qRgb(0, 0, 0));  // past the edge
  // Another stand-in's pieces wait for their own picture.
  EXPECT_EQ(Shown(first.over, {0, 0}), qRgb(0, 0, 0));
  cutouts.Fill(&stand_in_b, a);
  EXPECT_EQ(Shown(first.over, {0, 0}), qRgb(4, 2, 100));
}

// At scale 2 a piece holds twice the pixels each way, cut in device pixels
// from the twice-size picture; a change of scale cuts every piece again in
// place, a filled stand-in's from its file read at the new scale.
TEST(ButtonCutouts, PiecesAreCutInDevicePixelsAndAgainWhenTheScaleChanges) {
  testing::EnsureApplication();
  TempFolder folder;
  CoordinatePicture(20, 10).save(QStringFromPath(folder.path() / "p.bmp"));
  CoordinatePicture(40, 20).save(QStringFromPath(folder.path() / "p@2x.bmp"));
  const QPixmap stand_in;
  ButtonCutouts cutouts;
  WindowPieces window;
  const ButtonSurfaces s = cutouts.Cut({5, 3}, {4, 4}, SameSurface(&stand_in));
  cutouts.Fill(&stand_in, LoadScaledSkinImage(folder.path() / "p.bmp", 1), folder.path() / "p.bmp");
  QImage plain;
  window.Load(folder.path() / "p.bmp", plain);
  const QPixmap* piece = window.Cut(QRect(5, 3, 4, 4), plain);
  const QPixmap* pieces[] = {s.normal, piece};
  for (const QPixmap* p : pieces) EXPECT_EQ(Shown(p, {0, 0}), qRgb(4, 2, 100));

  SetSkinScale(2.0);
  for (const QPixmap* p : pieces) {
    EXPECT_EQ(DrawablePiece(p)->size(), QSize(8, 8));
    EXPECT_EQ(DrawablePiece(p)->devicePixelRatio(), 2.0);
    // Device pixel (1, 1) of the piece is device pixel (9, 5) of the twin.
    EXPECT_EQ(Shown(p, {1, 1}), qRgb(9, 5, 100));
  }
  for (const QPixmap* p : pieces) EXPECT_TRUE(IsPackedPiece(p));
  SetSkinScale(1.0);
  for (const QPixmap* p : pieces) {
    EXPECT_EQ(DrawablePiece(p)->size(), QSize(4, 4));
    EXPECT_EQ(Shown(p, {0, 0}), qRgb(4, 2, 100));
  }
}

}  // namespace
}  // namespace quorlin::ui
