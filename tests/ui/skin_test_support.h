#pragma once
// Shared pieces of the skin tests: one application object for the process,
// and small skins written into a temporary folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorlin::ui::testing {

// Made once and never destroyed: Qt's own process-wide objects may already
// be gone when static destructors run.
inline void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "ui_skin_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// A fixture whose members may be widgets: the application exists before
// they are made.
class QtFixture : public ::testing::Test {
 protected:
  QtFixture() { EnsureApplication(); }
};

inline void WriteText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

inline QImage Solid(int w, int h, QColor colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A picture whose every pixel tells where it is, so a test can see which
// rectangle of it a button shows.
inline QImage CoordinatePicture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
  return image;
}

inline void SavePicture(const QImage& image, const std::filesystem::path& file) {
  image.save(QString::fromStdString(file.string()));
}

}  // namespace quorlin::ui::testing
