#pragma once
// A window's background kept deflated in bands of rows. At twice the size a
// background is about twelve megabytes, as much again as the window's own
// backing store, while the window repaints only small parts of it after the
// first showing: a label, a button's edge. So the picture is held
// packed (pixel_pack.h; a dark, flat skin packs to a fifteenth) and the bands a paint
// touches are unpacked then, the last few kept for the next paint.

#include <QImage>
#include <QRegion>
#include <QSize>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

class QPainter;

namespace quorlin::ui {

class BandedPicture {
 public:
  // Device rows a band holds: at 1.5 and 2 a band starts on a whole
  // logical pixel.
  static constexpr int kBandRows = 48;
  // Bands kept unpacked between paints.
  static constexpr std::size_t kKeptBands = 2;

  BandedPicture() = default;
  // Takes the picture's pixels and its device pixel ratio.
  explicit BandedPicture(const QImage& picture);

  bool isNull() const { return bands_.empty(); }
  QSize DeviceSize() const { return device_size_; }
  QSize LogicalSize() const;
  qreal DevicePixelRatio() const { return ratio_; }

  // Draws the bands that reach `region` (logical pixels), the picture's top
  // left corner at (0, 0). A paint event's painter is clipped to the region
  // already; whole bands are drawn, so another painter clips first.
  void Draw(QPainter& painter, const QRegion& region) const;
  // The whole picture unpacked again.
  QImage ToImage() const;

  // Bytes held: the packed bands and the unpacked ones kept.
  qint64 Bytes() const;

 private:
  const QImage& Band(int index) const;

  std::vector<std::vector<std::uint8_t>> bands_;
  QSize device_size_;
  qreal ratio_ = 1;
  QImage::Format format_ = QImage::Format_RGB32;
  mutable std::deque<std::pair<int, QImage>> kept_;  // the newest first
};

}  // namespace quorlin::ui
