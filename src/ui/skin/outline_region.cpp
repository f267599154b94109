#include "ui/skin/outline_region.h"

#include <QRect>
#include <vector>

namespace quorlin::ui {
namespace {

struct Run {
  int left;
  int right;  // exclusive
  bool operator==(const Run&) const = default;
};

std::vector<Run> RowRuns(const QImage& image, int y) {
  std::vector<Run> runs;
  const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
  const int width = image.width();
  int x = 0;
  while (x < width) {
    while (x < width && (row[x] & 0xFFFFFFu) == 0xFFFFFFu) ++x;
    if (x == width) break;
    const int left = x;
    while (x < width && (row[x] & 0xFFFFFFu) != 0xFFFFFFu) ++x;
    runs.push_back({left, x});
  }
  return runs;
}

}  // namespace

QRegion OutlineRegion(const QImage& mask) {
  const QImage image = mask.convertToFormat(QImage::Format_RGB32);
  // Rows with the same runs become one band; a band's rectangles are sorted
  // by x and never overlap, which is what QRegion::setRects asks for.
  std::vector<QRect> rects;
  std::vector<Run> band;
  int band_top = 0;
  auto flush = [&](int bottom) {
    for (const Run& run : band)
      rects.emplace_back(run.left, band_top, run.right - run.left, bottom - band_top);
  };
  for (int y = 0; y < image.height(); ++y) {
    std::vector<Run> runs = RowRuns(image, y);
    if (runs == band) continue;
    flush(y);
    band = std::move(runs);
    band_top = y;
  }
  flush(image.height());
  QRegion region;
  if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

}  // namespace quorlin::ui
