// Skin files, outlines, prepared surfaces, placement and the dialog base.

#include <gtest/gtest.h>

#include <QLabel>

#include "platform/temp_folder.h"
#include "skin_test_support.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/outline_region.h"
#include "ui/skin/packed_pieces.h"
#include "ui/skin/placement.h"
#include "ui/skin/prepared_surfaces.h"
#include "ui/skin/skin_failure.h"
#include "ui/skin/skin_file.h"
#include "ui/skin/skin_picture.h"
#include "ui/skin/skin_scale.h"

namespace quorlin::ui {
namespace {

using testing::CoordinatePicture;
using testing::SavePicture;
using testing::Solid;
using testing::WriteText;

class SkinLayerTest : public testing::QtFixture {
 protected:
  std::filesystem::path Dir() const { return folder_.path(); }
  std::filesystem::path Skin(const std::string& text) const {
    WriteText(Dir() / "Test.ini", text);
    return Dir() / "Test.ini";
  }
  TempFolder folder_;
};

TEST_F(SkinLayerTest, ScreenPicturesAreFoundInTheSkinFolder) {
  SkinFile with_mask(Skin("[SCREEN]\nMain=bg.jpg\nMask=outline.png\n"));
  EXPECT_EQ(with_mask.BackgroundPath(), Dir() / "bg.jpg");
  EXPECT_EQ(with_mask.MaskPath(), Dir() / "outline.png");

  SkinFile without_mask(Skin("[SCREEN]\nMain=bg.jpg\nMask=\n"));
  EXPECT_EQ(without_mask.MaskPath(), Dir() / "bg.jpg");  // an empty value counts as absent

  // Without a picture the Skin file itself is the one at fault.
  const auto no_picture = Skin("[BUTTONINFO]\nA=1,2,3,4\n");
  SkinFile without_main(no_picture);
  EXPECT_EQ(without_main.BackgroundPath(), no_picture);
  EXPECT_FALSE(without_main.Link().has_value());

  SkinFile other_dir(Skin("[SCREEN]\nMain=bg.jpg\n"), Dir() / "elsewhere");
  EXPECT_EQ(other_dir.BackgroundPath(), Dir() / "elsewhere" / "bg.jpg");
}

TEST_F(SkinLayerTest, MissingKeysReadAsTheOnePixelFallback) {
  SkinFile skin(Skin("[BUTTONINFO]\nCONTROL_OK=12,300,80,24\n"));
  EXPECT_EQ(skin.ButtonRect("control_ok"), (SkinRect{12, 300, 80, 24}));  // case does not matter
  EXPECT_EQ(skin.ButtonRect("CONTROL_CANCEL"), (SkinRect{1, 1, 1, 1}));
  EXPECT_EQ(SkinFile(Dir() / "missing.ini").ButtonRect("CONTROL_OK"), (SkinRect{1, 1, 1, 1}));
}

TEST_F(SkinLayerTest, OutlineTakesEveryPixelThatIsNotWhite) {
  // Two rows with the same runs become one band; a near-white pixel counts.
  QImage mask = Solid(6, 4, Qt::white);
  for (int y = 0; y < 2; ++y) {
    mask.setPixel(1, y, qRgb(0, 0, 0));
    mask.setPixel(2, y, qRgb(0, 0, 0));
    mask.setPixel(4, y, qRgb(255, 255, 254));
  }
  mask.setPixel(0, 3, qRgb(10, 10, 10));
  const QRegion region = OutlineRegion(mask);
  QRegion expected;
  expected += QRect(1, 0, 2, 2);
  expected += QRect(4, 0, 1, 2);
  expected += QRect(0, 3, 1, 1);
  EXPECT_EQ(region, expected);
  EXPECT_TRUE(OutlineRegion(Solid(8, 8, Qt::white)).isEmpty());
  EXPECT_EQ(OutlineRegion(Solid(8, 5, Qt::black)), QRegion(0, 0, 8, 5));
}

// A window's state pictures are named, not kept: its buttons' pieces are cut
// at the first paint, each picture read once for all of them, black past
// the picture's edges, and kept for the next opening.
TEST_F(SkinLayerTest, StatePicturesAreReadOnceForAllButtonsAndTheirPiecesKept) {
  SavePicture(CoordinatePicture(40, 30), Dir() / "a.bmp");
  SavePicture(Solid(40, 30, Qt::blue), Dir() / "b.bmp");
  const int loads = PreparedPictureLoads();
  const PreparedSurfaces& first =
      PrepareStateSurfaces("Once", Dir(), {"a.bmp", "b.bmp"}, QSize(40, 30));
  EXPECT_EQ(PreparedPictureLoads(), loads);
  ASSERT_NE(first.Find("a.bmp"), nullptr);
  EXPECT_EQ(first.Find("nothing.jpg"), nullptr);

  const auto shown = [&](QPoint at, QSize size) {
    QWidget window;
    auto* left = new CPngButton(&window);
    auto* right = new CPngButton(&window);
    left->setGeometry(QRect(QPoint(5, 5), size));
    right->setGeometry(QRect(at, size));
    left->SetStateSurfaces(5, 5,
                           {first.Find("a.bmp"), first.Find("b.bmp"), nullptr, nullptr, nullptr});
    right->SetStateSurfaces(at.x(), at.y(), SameSurface(first.Find("a.bmp")));
    return std::pair{left->grab().toImage(), right->grab().toImage()};
  };
  const auto [left, right] = shown({36, 20}, {8, 8});
  EXPECT_EQ(PreparedPictureLoads(), loads + 2);  // a.bmp once for both buttons
  EXPECT_EQ(left.pixel(0, 0), qRgb(4, 4, 0));
  EXPECT_EQ(right.pixel(1, 1), qRgb(36, 20, 0));
  EXPECT_EQ(right.pixel(6, 6), qRgb(0, 0, 0));  // past the picture's edge

  // A second opening reads nothing, even with the files gone.
  std::filesystem::remove(Dir() / "a.bmp");
  EXPECT_EQ(&PrepareStateSurfaces("Once", Dir(), {"a.bmp", "b.bmp"}, QSize(40, 30)), &first);
  const auto [again, unused] = shown({36, 20}, {8, 8});
  EXPECT_EQ(again, left);
  EXPECT_EQ(PreparedPictureLoads(), loads + 2);
}

// The twice-size pictures: taken where a twin of exactly twice the size
// exists, scaled down smoothly below 2, and the plain picture otherwise,
// picture by picture.
TEST_F(SkinLayerTest, ScaledPicturesTakeTheTwinOrFallBackPictureByPicture) {
  SavePicture(Solid(40, 30, Qt::red), Dir() / "both.bmp");
  SavePicture(Solid(80, 60, Qt::blue), Dir() / "both@2x.bmp");
  SavePicture(Solid(40, 30, Qt::red), Dir() / "plain.bmp");
  SavePicture(Solid(40, 30, Qt::red), Dir() / "odd.bmp");
  SavePicture(Solid(81, 60, Qt::blue), Dir() / "odd@2x.bmp");
  struct Case {
    const char* file;
    double scale;
    QSize pixels;
    double ratio;
    QRgb colour;
  };
  const Case cases[] = {
      {"both.bmp", 1, {40, 30}, 1, qRgb(255, 0, 0)},
      {"both.bmp", 2, {80, 60}, 2, qRgb(0, 0, 255)},
      {"both.bmp", 1.5, {60, 45}, 1.5, qRgb(0, 0, 255)},
      {"plain.bmp", 2, {40, 30}, 1, qRgb(255, 0, 0)},
      {"odd.bmp", 2, {40, 30}, 1, qRgb(255, 0, 0)},  // a twin of the wrong size is not used
  };
  for (const Case& c : cases) {
    const QImage image = LoadScaledSkinImage(Dir() / c.file, c.scale);
    EXPECT_EQ(image.size(), c.pixels) << c.file << " at " << c.scale;
    EXPECT_EQ(image.devicePixelRatio(), c.ratio) << c.file << " at " << c.scale;
    EXPECT_EQ(image.pixel(5, 5), c.colour) << c.file << " at " << c.scale;
    EXPECT_EQ(image.deviceIndependentSize().toSize(), QSize(40, 30));
  }
  EXPECT_EQ(TwiceSizeName("main_bg.jpg"), "main_bg@2x.jpg");
  EXPECT_EQ(TwiceSizeName("a.b/name"), "a.b/name@2x");
  EXPECT_EQ(SkinScaleFor(1.0), 1.0);
  EXPECT_EQ(SkinScaleFor(1.25), 1.0);
  EXPECT_EQ(SkinScaleFor(1.5), 1.5);
  EXPECT_EQ(SkinScaleFor(3.0), 2.0);
}

// A change of scale cuts every state piece and reads every small picture
// again, in place, so the pointers the buttons hold show the new pictures;
// then back.
TEST_F(SkinLayerTest, AChangeOfScalePreparesSurfacesAgainInPlace) {
  SavePicture(Solid(40, 30, Qt::red), Dir() / "s.bmp");
  SavePicture(Solid(80, 60, Qt::blue), Dir() / "s@2x.bmp");
  const double before = SkinScale();
  ASSERT_EQ(before, 1.0);
  const PreparedSurfaces& state = PrepareStateSurfaces("Rescaled", Dir(), {"s.bmp"}, QSize(40, 30));
  const PreparedSurfaces& small = PrepareSkinPictures("RescaledSmall", Dir(), {"s.bmp"});
  const QPixmap* piece = StatePiece(state.Find("s.bmp"), {5, 5}, {10, 10});
  const QPixmap* plain = small.Find("s.bmp");
  ASSERT_NE(piece, nullptr);
  CutWaitingStatePieces();
  EXPECT_EQ(DrawablePiece(piece)->toImage().pixel(2, 2), qRgb(255, 0, 0));
  SetSkinScale(2.0);
  EXPECT_EQ(StatePiece(state.Find("s.bmp"), {5, 5}, {10, 10}), piece);
  CutWaitingStatePieces();
  EXPECT_EQ(DrawablePiece(piece)->size(), QSize(20, 20));
  EXPECT_EQ(DrawablePiece(piece)->devicePixelRatio(), 2.0);
  EXPECT_EQ(DrawablePiece(piece)->toImage().pixel(4, 4), qRgb(0, 0, 255));
  EXPECT_EQ(DrawablePiece(plain)->size(), QSize(80, 60));
  SetSkinScale(before);
  CutWaitingStatePieces();
  EXPECT_EQ(DrawablePiece(piece)->size(), QSize(10, 10));
  EXPECT_EQ(DrawablePiece(plain)->toImage().pixel(10, 10), qRgb(255, 0, 0));
}

// The dying child cannot clean up after itself, so the death tests share
// one fixed folder instead of a fresh one each.
std::filesystem::path DeathTestFolder() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / "quorlin-skin-death-tests";
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(SkinFailure, APictureThatCannotBeLoadedEndsTheProgramNamingIt) {
  testing::EnsureApplication();
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::filesystem::path dir = DeathTestFolder();
  WriteText(dir / "broken.jpg", "not a picture");
  EXPECT_EXIT(PrepareStateSurfaces("Broken", dir, {"broken.jpg"}, QSize(10, 10)),
              ::testing::ExitedWithCode(kSkinFailureExitCode), "broken\\.jpg");
  EXPECT_EXIT(PrepareSkinPictures("Missing", dir, {"gone.bmp"}),
              ::testing::ExitedWithCode(kSkinFailureExitCode), "gone\\.bmp");
}

TEST_F(SkinLayerTest, PlaceControlMovesAndSizesOrFallsBack) {
  SkinFile skin(Skin("[BUTTONINFO]\nLIST=5,6,70,80\nLABEL=20,30,5,5\n"));
  QWidget parent;
  QLabel list(&parent), label(&parent), missing(&parent);
  label.resize(44, 11);
  PlaceControl(&list, skin, "BUTTONINFO", "LIST");
  PlaceControlAt(&label, skin, "BUTTONINFO", "LABEL");
  PlaceControl(&missing, skin, "BUTTONINFO", "NOT_THERE");
  EXPECT_EQ(list.geometry(), QRect(5, 6, 70, 80));
  EXPECT_EQ(label.geometry(), QRect(20, 30, 44, 11));  // keeps its size
  EXPECT_EQ(missing.geometry(), QRect(1, 1, 1, 1));
}

TEST_F(SkinLayerTest, ImageButtonShowsItsRectangleFromOnePixelUpAndLeft) {
  SkinFile skin(Skin("[BUTTONINFO]\nCONTROL_OK=12,300,80,24\nLOCK_CAPS=1,1,30,30\n"));
  const QPixmap surface = QPixmap::fromImage(CoordinatePicture(400, 400));
  QWidget parent;
  CPngButton ok(&parent), caps(&parent), missing(&parent);
  PlaceImageButton(&ok, skin, "BUTTONINFO", "CONTROL_OK", SameSurface(&surface));
  PlaceImageButton(&caps, skin, "BUTTONINFO", "LOCK_CAPS", SameSurface(&surface));
  PlaceImageButton(&missing, skin, "BUTTONINFO", "NOT_THERE", SameSurface(&surface));

  EXPECT_EQ(ok.geometry(), QRect(12, 300, 80, 24));
  EXPECT_TRUE(ok.isEnabled());
  const QImage shown = ok.grab().toImage();
  EXPECT_EQ(shown.pixel(0, 0), surface.toImage().pixel(11, 299));
  EXPECT_EQ(shown.pixel(79, 23), surface.toImage().pixel(90, 322));

  EXPECT_EQ(caps.geometry(), QRect(1, 1, 30, 30));
  EXPECT_FALSE(caps.isEnabled());
  EXPECT_EQ(missing.geometry(), QRect(1, 1, 1, 1));
  EXPECT_FALSE(missing.isEnabled());
}

TEST_F(SkinLayerTest, ArrowButtonTakesItsPictureOriginFromTheSecondKey) {
  SkinFile skin(
      Skin("[BUTTONINFO]\nLEFT_ARROW=200,10,16,26\n[BUTTONINFO2]\nUP_ARROW_LEFT1=41,1,16,26\n"));
  const QPixmap atlas = QPixmap::fromImage(CoordinatePicture(300, 100));
  QWidget parent;
  CPngButton arrow(&parent);
  PlaceArrowButton(&arrow, skin, "BUTTONINFO", "LEFT_ARROW", "BUTTONINFO2", "UP_ARROW_LEFT1",
                   &atlas);
  EXPECT_EQ(arrow.geometry(), QRect(200, 10, 16, 26));
  EXPECT_EQ(arrow.pictureOrigin(), QPoint(41, 1));
  arrow.setEnabled(false);  // every state shows the same surface
  EXPECT_EQ(arrow.grab().toImage().pixel(0, 0), atlas.toImage().pixel(40, 0));
}

TEST_F(SkinLayerTest, DialogTakesItsSizeFromTheBackgroundAndItsOutlineFromTheMask) {
  SavePicture(Solid(120, 80, QColor(20, 40, 60)), Dir() / "bg.jpg");
  QImage mask = Solid(120, 80, Qt::black);
  for (int x = 0; x < 10; ++x) mask.setPixel(x, 0, qRgb(255, 255, 255));
  SavePicture(mask, Dir() / "mask.png");
  CBaseDialog dialog(nullptr, Skin("[SCREEN]\nMain=bg.jpg\nMask=mask.png\n"), Dir());
  dialog.LoadDialogSkin();
  EXPECT_EQ(dialog.size(), QSize(120, 80));
  EXPECT_FALSE(dialog.outline().contains(QPoint(3, 0)));
  EXPECT_TRUE(dialog.outline().contains(QPoint(3, 1)));
  EXPECT_EQ(dialog.mask(), dialog.outline());
  EXPECT_NEAR(dialog.grab().toImage().pixelColor(60, 40).blue(), 60, 3);  // a JPEG

  // Without a mask the background shapes the window: all of it.
  CBaseDialog plain(nullptr, Skin("[SCREEN]\nMain=bg.jpg\n"), Dir());
  plain.LoadDialogSkin();
  EXPECT_EQ(plain.outline(), QRegion(0, 0, 120, 80));

  dialog.done(QDialog::Accepted);
  EXPECT_FALSE(dialog.hasSkinPictures());
}

TEST(SkinFailure, ADialogWithoutABackgroundEndsTheProgram) {
  testing::EnsureApplication();
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::filesystem::path dir = DeathTestFolder();
  const std::filesystem::path skin = dir / "NoScreen.ini";
  WriteText(skin, "[BUTTONINFO]\nA=1,2,3,4\n");
  EXPECT_EXIT(
      {
        CBaseDialog dialog(nullptr, skin, dir);
        dialog.LoadDialogSkin();
      },
      ::testing::ExitedWithCode(kSkinFailureExitCode),
      "Cannot use the skin file \".*NoScreen.ini\" .*no background picture");
}

}  // namespace
}  // namespace quorlin::ui
