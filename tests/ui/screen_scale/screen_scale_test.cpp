// A skinned window moved between two screens of different scale (two
// offscreen screens, the second at twice the density) redraws with the
// pictures of the screen it is on, and a button's piece follows.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QWindow>
#include <fstream>

#include "platform/temp_folder.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/png_button.h"
#include "ui/skin/prepared_surfaces.h"
#include "ui/skin/skin_picture.h"
#include "ui/skin/skin_scale.h"

namespace quorlin::ui {
namespace {

void Save(const QImage& image, const std::filesystem::path& file) {
  ASSERT_TRUE(image.save(QStringFromPath(file)));
}

QImage Solid(QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

TEST(ScreenScale, AWindowMovedToAScreenOfAnotherScaleRedrawsWithItsPictures) {
  TempFolder folder;
  const std::filesystem::path dir = folder.path();
  // Two screens side by side; the second at scale 2.
  const std::filesystem::path config = dir / "screens.json";
  QFile json(QStringFromPath(config));
  ASSERT_TRUE(json.open(QIODevice::WriteOnly));
  json.write(R"({"screens": [
    {"name": "one", "x": 0, "y": 0, "width": 800, "height": 600},
    {"name": "two", "x": 800, "y": 0, "width": 800, "height": 600}]})");
  json.close();
  const QByteArray platform = "offscreen:configfile=" + QStringFromPath(config).toUtf8();
  qputenv("QT_QPA_PLATFORM", platform);
  qputenv("QT_SCREEN_SCALE_FACTORS", "1;2");
  static int argc = 1;
  static char name[] = "ui_screen_scale_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
  QScreen* plain = nullptr;
  QScreen* dense = nullptr;
  for (QScreen* screen : QGuiApplication::screens())
    (screen->devicePixelRatio() == 2.0 ? dense : plain) = screen;
  if (plain == nullptr || dense == nullptr)
    GTEST_SKIP() << "this Qt's offscreen platform cannot make a screen of scale 2";

  // A window whose plain pictures are red and whose twins are blue.
  const QColor red(255, 0, 0), blue(0, 0, 255);
  Save(Solid({40, 30}, red), dir / "bg.bmp");
  Save(Solid({80, 60}, blue), dir / "bg@2x.bmp");
  Save(Solid({40, 30}, Qt::black), dir / "mask.bmp");
  Save(Solid({40, 30}, red), dir / "state.bmp");
  Save(Solid({80, 60}, blue), dir / "state@2x.bmp");
  std::ofstream(dir / "Test.ini") << "[SCREEN]\nMain=bg.bmp\nMask=mask.bmp\n";
  CBaseDialog dialog(nullptr, dir / "Test.ini", dir);
  const PreparedSurfaces& surfaces = PrepareStateSurfaces("Moved", dir, {"state.bmp"}, {40, 30});
  auto* button = new CPngButton(&dialog);
  button->setGeometry(5, 5, 10, 10);
  button->SetStateSurfaces(6, 6, SameSurface(surfaces.Find("state.bmp")));
  dialog.move(100, 100);
  dialog.ShowModeless();
  dialog.windowHandle()->setScreen(plain);
  QCoreApplication::processEvents();
  EXPECT_EQ(SkinScale(), 1.0);
  EXPECT_EQ(dialog.size(), QSize(40, 30));
  QImage shot = dialog.grab().toImage();
  EXPECT_EQ(shot.size(), QSize(40, 30));
  EXPECT_EQ(shot.pixelColor(2, 2), red);    // the background
  EXPECT_EQ(shot.pixelColor(10, 10), red);  // the button

  dialog.windowHandle()->setScreen(dense);
  QCoreApplication::processEvents();
  EXPECT_EQ(SkinScale(), 2.0);
  EXPECT_EQ(dialog.size(), QSize(40, 30));  // logical pixels stay
  shot = dialog.grab().toImage();
  EXPECT_EQ(shot.size(), QSize(80, 60));
  EXPECT_EQ(shot.pixelColor(4, 4), blue);
  EXPECT_EQ(shot.pixelColor(20, 20), blue);

  dialog.windowHandle()->setScreen(plain);
  QCoreApplication::processEvents();
  EXPECT_EQ(SkinScale(), 1.0);
  EXPECT_EQ(dialog.grab().toImage().pixelColor(10, 10), red);
  dialog.close();
}

}  // namespace
}  // namespace quorlin::ui
