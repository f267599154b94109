#include "ui/main/key_frame_layer.h"

#include <gtest/gtest.h>

#include <QImage>

#include "views_fixture.h"

namespace quorlin::ui {
namespace {

const QColor kBackground(10, 20, 30);

struct Probe {
  const char* what;
  QPoint at;
  QColor expected;
};

// Paints the layer over a plain parent and reads back what shows.
QImage Shown(QWidget& parent) {
  return parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void ExpectPixels(const QImage& shown, std::initializer_list<Probe> probes) {
  for (const Probe& p : probes)
    EXPECT_EQ(QColor(shown.pixel(p.at)), p.expected)
        << p.what << " at " << p.at.x() << ',' << p.at.y();
}

TEST(KeyFrameLayer, OnlyTheRingsShowAndOverlappingKeysKeepTheirOwnFrames) {
  testing::EnsureApplication();
  QWidget parent;
  parent.resize(200, 100);
  parent.setAutoFillBackground(true);
  QPalette palette;
  palette.setColor(QPalette::Window, kBackground);
  parent.setPalette(palette);
  // Slot 0 a plain key, slot 1 a small key whose corner lies under slot 2's
  // big one (as Enter over its neighbour), slot 3 two keys sharing a colour.
  auto* layer = new KeyFrameLayer(&parent, {{QRect(10, 10, 20, 20)},
                                            {QRect(60, 40, 20, 20)},
                                            {QRect(40, 10, 30, 40)},
                                            {QRect(100, 10, 10, 10), QRect(120, 10, 10, 10)}});
  const QColor red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255), white(255, 255, 255);
  layer->Show({red, green, blue, white});
  ExpectPixels(Shown(parent),
               {{"plain key's ring", {10, 10}, red},
                {"plain key's inner ring edge", {11, 20}, red},
                {"plain key's inside", {20, 20}, kBackground},
                {"small key's ring inside the big key", {61, 45}, green},
                {"big key's inside beside the small key's ring", {55, 30}, kBackground},
                {"small key's inside", {70, 50}, kBackground},
                {"big key's ring", {40, 30}, blue},
                {"shared colour, first key", {100, 15}, white},
                {"shared colour, second key", {129, 15}, white},
                {"between the shared keys", {115, 15}, kBackground}});

  // One slot changes, one goes dark: the others keep their frames.
  layer->Show({QColor(1, 2, 3), std::nullopt, blue, white});
  ExpectPixels(Shown(parent), {{"recoloured ring", {29, 29}, QColor(1, 2, 3)},
                               {"dark slot", {61, 55}, kBackground},
                               {"unchanged ring", {69, 12}, blue},
                               {"unchanged shared", {120, 19}, white}});
}

}  // namespace
}  // namespace quorlin::ui
