// Pictures kept packed between paints: the pixel packing, the banded
// background and packed button pieces, each drawn back exactly.

#include <gtest/gtest.h>

#include <QPainter>
#include <cstdint>
#include <random>
#include <vector>

#include "skin_test_support.h"
#include "ui/skin/banded_picture.h"
#include "ui/skin/packed_pieces.h"
#include "ui/skin/pixel_pack.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_picture.h"

namespace quorlin::ui {
namespace {

using testing::CoordinatePicture;

std::vector<std::uint32_t> Pixels(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
    pixels.insert(pixels.end(), row, row + rgb.width());
  }
  return pixels;
}

std::vector<std::uint32_t> RoundTrip(const std::vector<std::uint32_t>& pixels) {
  const std::vector<std::uint8_t> packed = PackPixels(pixels);
  std::vector<std::uint32_t> back(pixels.size(), 0x12345678);
  EXPECT_TRUE(UnpackPixels(packed, back));
  return back;
}

TEST(PixelPack, EveryKindOfNeighbourComesBackExactly) {
  std::mt19937 random(7);
  std::vector<std::uint32_t> noise(5000);
  for (auto& p : noise) p = random();
  // Each channel stepping through every difference, wrapping past 0 and 255.
  std::vector<std::uint32_t> steps;
  for (int d = -40; d <= 40; ++d)
    for (std::uint32_t base : {0xFF000000u, 0xFFFFFFFFu, 0xFF808080u, 0x00000000u}) {
      steps.push_back(base);
      const auto c = static_cast<std::uint8_t>(d);
      steps.push_back((base & 0xFF000000u) | (((base >> 16 & 0xFF) + c) & 0xFF) << 16 |
                      (((base >> 8 & 0xFF) + c / 2) & 0xFF) << 8 | ((base + c * 3) & 0xFF));
    }
  const std::vector<std::uint32_t> cases[] = {
      {},
      {0xFF000000},                                      // the pixel before the first
      std::vector<std::uint32_t>(200, 0x80102030),       // runs longer than one tag holds
      std::vector<std::uint32_t>(62, 0xFF000000),        // exactly one full run
      {0x00FFFFFF, 0xFFFFFFFF, 0x00FFFFFF, 0x7F7F7F7F},  // alpha changes
      steps,
      noise,
      Pixels(LoadSkinImage(std::filesystem::path(QUORLIN_SKIN_DIR) / "main_bg.jpg")),
  };
  for (const auto& pixels : cases) EXPECT_EQ(RoundTrip(pixels), pixels) << pixels.size();
}

TEST(PixelPack, TheShippedBackgroundPacksSmall) {
  const auto pixels =
      Pixels(LoadSkinImage(std::filesystem::path(QUORLIN_SKIN_DIR) / "main_bg@2x.jpg"));
  EXPECT_LT(PackPixels(pixels).size() * 8, pixels.size() * 4);
}

TEST(PixelPack, PackedBytesThatDoNotMakeTheCountAreRefused) {
  const std::vector<std::uint32_t> pixels = {0xFF102030, 0xFF102031, 0xFF405060, 0xFF405060};
  const std::vector<std::uint8_t> packed = PackPixels(pixels);
  std::vector<std::uint32_t> out(pixels.size());
  const std::vector<std::uint8_t> cut(packed.begin(), packed.end() - 1);
  std::vector<std::uint8_t> longer = packed;
  longer.push_back(0x00);
  EXPECT_FALSE(UnpackPixels(cut, out));
  EXPECT_FALSE(UnpackPixels(longer, out));
  std::vector<std::uint32_t> fewer(pixels.size() - 1);
  EXPECT_FALSE(UnpackPixels(packed, fewer));
  std::vector<std::uint32_t> more(pixels.size() + 1);
  EXPECT_FALSE(UnpackPixels(packed, more));
}

// Drawn at its ratio onto a surface of the same ratio, the banded picture
// gives back every device pixel, band edges included, whatever the height.
TEST(BandedPicture, DrawsBackEveryPixelAtEachScale) {
  testing::EnsureApplication();
  for (const qreal ratio : {1.0, 1.5, 2.0}) {
    QImage source = CoordinatePicture(150, 2 * BandedPicture::kBandRows + 13);
    source.setDevicePixelRatio(ratio);
    const BandedPicture banded(source);
    EXPECT_EQ(banded.LogicalSize(), source.deviceIndependentSize().toSize());
    EXPECT_EQ(banded.ToImage(), source.convertToFormat(QImage::Format_RGB32));

    QImage whole(source.size(), QImage::Format_RGB32);
    whole.setDevicePixelRatio(ratio);
    whole.fill(Qt::black);
    QPainter painter(&whole);
    banded.Draw(painter, QRect(QPoint(0, 0), banded.LogicalSize()));
    painter.end();
    EXPECT_EQ(whole, source.convertToFormat(QImage::Format_RGB32)) << ratio;
  }
}

// A button shows a packed piece as it would the piece itself, also after
// more pieces than are kept unpacked have been shown.
TEST(PackedPieces, AButtonShowsAPackedPieceAsItWasCut) {
  testing::EnsureApplication();
  const QImage picture = CoordinatePicture(120, 120);
  std::vector<QPixmap> pieces;
  for (int i = 0; i < 400; ++i)
    pieces.push_back(QPixmap::fromImage(picture.copy(i % 7, i % 5, 60, 60)));
  const std::vector<QPixmap> originals = pieces;
  for (QPixmap& p : pieces) PackPiece(p);
  for (const int i : {0, 399, 0, 200}) {
    CPngButton button;
    button.resize(60, 60);
    button.SetStateSurfaces(1, 1, SameSurface(&pieces[static_cast<std::size_t>(i)]));
    EXPECT_TRUE(pieces[static_cast<std::size_t>(i)].isNull());
    EXPECT_EQ(
        button.grab().toImage().convertToFormat(QImage::Format_RGB32),
        originals[static_cast<std::size_t>(i)].toImage().convertToFormat(QImage::Format_RGB32))
        << i;
    for (const QPixmap& p : pieces) DrawablePiece(&p);  // every one unpacked once in between
  }
  for (const QPixmap& p : pieces) ForgetPiece(p);
  EXPECT_FALSE(IsPackedPiece(&pieces[0]));
}

}  // namespace
}  // namespace quorlin::ui
