#include "ui/skin/packed_pieces.h"

#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "ui/skin/newest_first.h"
#include "ui/skin/pixel_pack.h"

namespace quorlin::ui {
namespace {

// Unpacked pieces kept for the next paints: a hovered key, its neighbours
// and the buttons a partial repaint reaches again. A whole repaint of the
// main window unpacks every piece it shows (a few milliseconds at twice the
// size).
constexpr qint64 kKeptBytes = 512 * 1024;

struct Packed {
  std::vector<std::uint8_t> bytes;
  QSize size;  // device pixels
  qreal ratio = 1;
  QImage::Format format = QImage::Format_RGB32;
};

qint64 PixmapBytes(const QPixmap& p) {
  return static_cast<qint64>(p.width()) * p.height() * ((p.depth() + 7) / 8);
}

struct Store {
  std::unordered_map<const QPixmap*, Packed> packed;
  std::deque<std::pair<const QPixmap*, QPixmap>> kept;  // the newest first
  qint64 kept_bytes = 0;
};

// Pixmaps must go before the application object does: the unpacked ones
// are dropped when it ends. The store itself is never destroyed.
Store& TheStore() {
  static Store* store = [] {
    qAddPostRoutine([] {
      TheStore().kept.clear();
      TheStore().kept_bytes = 0;
    });
    return new Store;
  }();
  return *store;
}

void DropKept(Store& store, const QPixmap* piece) {
  const auto it = std::find_if(store.kept.begin(), store.kept.end(),
                               [piece](const auto& k) { return k.first == piece; });
  if (it == store.kept.end()) return;
  store.kept_bytes -= PixmapBytes(it->second);
  store.kept.erase(it);
}

std::span<std::uint32_t> Pixels(QImage& image) {
  // 32-bit rows are whole words with no padding between them.
  return {reinterpret_cast<std::uint32_t*>(image.bits()),
          static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height())};
}

QPixmap Unpack(const Packed& p) {
  QImage image(p.size, p.format);
  // Packed from a picture of this size, so the count matches; should it
  // not, black is shown rather than half a picture.
  if (!UnpackPixels(p.bytes, Pixels(image))) image.fill(Qt::black);
  image.setDevicePixelRatio(p.ratio);
  return QPixmap::fromImage(std::move(image));
}

}  // namespace

void PackPiece(QPixmap& piece) {
  Store& store = TheStore();
  DropKept(store, &piece);
  if (piece.isNull()) return;
  QImage image = piece.toImage();
  if (image.format() != QImage::Format_RGB32 &&
      image.format() != QImage::Format_ARGB32_Premultiplied)
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                            : QImage::Format_RGB32);
  store.packed[&piece] = {PackPixels(Pixels(image)), image.size(), piece.devicePixelRatio(),
                          image.format()};
  piece = QPixmap();
}

void ForgetPiece(const QPixmap& piece) {
  Store& store = TheStore();
  DropKept(store, &piece);
  store.packed.erase(&piece);
}

const QPixmap* DrawablePiece(const QPixmap* surface) {
  if (surface == nullptr || !surface->isNull()) return surface;
  Store& store = TheStore();
  const auto packed = store.packed.find(surface);
  if (packed == store.packed.end()) return surface;
  auto& kept = store.kept;
  if (const QPixmap* unpacked = TakeNewest(kept, surface)) return unpacked;
  kept.emplace_front(surface, Unpack(packed->second));
  store.kept_bytes += PixmapBytes(kept.front().second);
  // The oldest make way; the one just unpacked always stays.
  while (store.kept_bytes > kKeptBytes && kept.size() > 1) {
    store.kept_bytes -= PixmapBytes(kept.back().second);
    kept.pop_back();
  }
  return &kept.front().second;
}

bool IsPackedPiece(const QPixmap* piece) {
  return piece != nullptr && TheStore().packed.count(piece) != 0;
}

qint64 PackedPieceBytes(const QPixmap& piece) {
  const Store& store = TheStore();
  const auto it = store.packed.find(&piece);
  return it == store.packed.end() ? 0 : static_cast<qint64>(it->second.bytes.size());
}

qint64 PackedPieceBytes() {
  const Store& store = TheStore();
  qint64 total = store.kept_bytes;
  for (const auto& [name, p] : store.packed) total += static_cast<qint64>(p.bytes.size());
  return total;
}

}  // namespace quorlin::ui
