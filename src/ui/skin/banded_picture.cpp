#include "ui/skin/banded_picture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/skin/newest_first.h"
#include "ui/skin/pixel_pack.h"

namespace quorlin::ui {
namespace {

std::span<const std::uint32_t> Rows(const QImage& image, int first, int count) {
  // 32-bit rows are whole words with no padding between them.
  const auto* start = reinterpret_cast<const std::uint32_t*>(image.constScanLine(first));
  return {start, static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(count)};
}

}  // namespace

BandedPicture::BandedPicture(const QImage& picture) {
  if (picture.isNull()) return;
  // The formats a raster painter draws from without converting.
  const QImage pixels = picture.convertToFormat(
      picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  device_size_ = pixels.size();
  ratio_ = picture.devicePixelRatio();
  format_ = pixels.format();
  for (int y = 0; y < device_size_.height(); y += kBandRows)
    bands_.push_back(PackPixels(Rows(pixels, y, std::min(kBandRows, device_size_.height() - y))));
}

QSize BandedPicture::LogicalSize() const {
  return QSizeF(device_size_.width() / ratio_, device_size_.height() / ratio_).toSize();
}

const QImage& BandedPicture::Band(int index) const {
  if (const QImage* kept = TakeNewest(kept_, index)) return *kept;
  const int rows = std::min(kBandRows, device_size_.height() - index * kBandRows);
  QImage band(device_size_.width(), rows, format_);
  auto* first = reinterpret_cast<std::uint32_t*>(band.bits());
  // Packed from a picture of this width and format, so the count matches;
  // should it not, the band is drawn black rather than half drawn.
  if (!UnpackPixels(
          bands_[static_cast<std::size_t>(index)],
          {first, static_cast<std::size_t>(band.width()) * static_cast<std::size_t>(rows)}))
    band.fill(Qt::black);
  band.setDevicePixelRatio(ratio_);
  kept_.emplace_front(index, std::move(band));
  if (kept_.size() > kKeptBands) kept_.pop_back();
  return kept_.front().second;
}

void BandedPicture::Draw(QPainter& painter, const QRegion& region) const {
  if (isNull()) return;
  const int band_count = static_cast<int>(bands_.size());
  // The rows the region reaches, in device pixels, rounded outwards.
  std::vector<bool> wanted(bands_.size(), false);
  for (const QRect& r : region) {
    const int top = static_cast<int>(std::floor(r.top() * ratio_)) / kBandRows;
    const int bottom = static_cast<int>(std::ceil((r.bottom() + 1) * ratio_) - 1) / kBandRows;
    for (int b = std::max(top, 0); b <= std::min(bottom, band_count - 1); ++b)
      wanted[static_cast<std::size_t>(b)] = true;
  }
  for (int b = 0; b < band_count; ++b) {
    if (!wanted[static_cast<std::size_t>(b)]) continue;
    painter.drawImage(QPointF(0, b * kBandRows / ratio_), Band(b));
  }
}

QImage BandedPicture::ToImage() const {
  if (isNull()) return {};
  QImage whole(device_size_, format_);
  for (int b = 0; b < static_cast<int>(bands_.size()); ++b) {
    const QImage& band = Band(b);
    for (int y = 0; y < band.height(); ++y)
      std::copy_n(band.constScanLine(y), band.bytesPerLine(), whole.scanLine(b * kBandRows + y));
  }
  whole.setDevicePixelRatio(ratio_);
  return whole;
}

qint64 BandedPicture::Bytes() const {
  qint64 total = 0;
  for (const auto& band : bands_) total += static_cast<qint64>(band.size());
  for (const auto& [index, band] : kept_) total += band.sizeInBytes();
  return total;
}

}  // namespace quorlin::ui
