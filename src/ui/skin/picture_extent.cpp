#include "ui/skin/picture_extent.h"

#include <fstream>
#include <system_error>
#include <vector>

namespace quorlin::ui {
namespace {

uint32_t Big16(std::span<const uint8_t> b, std::size_t at) {
  return (uint32_t{b[at]} << 8) | b[at + 1];
}

uint32_t Big32(std::span<const uint8_t> b, std::size_t at) {
  return (Big16(b, at) << 16) | Big16(b, at + 2);
}

int32_t Little32(std::span<const uint8_t> b, std::size_t at) {
  const uint32_t v = uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) |
                     (uint32_t{b[at + 3]} << 24);
  return static_cast<int32_t>(v);
}

std::optional<PictureExtent> Checked(int64_t w, int64_t h) {
  if (w <= 0 || h <= 0 || w > kLargestWindowSide || h > kLargestWindowSide) return std::nullopt;
  return PictureExtent{static_cast<int>(w), static_cast<int>(h)};
}

std::optional<PictureExtent> JpegExtent(std::span<const uint8_t> b) {
  std::size_t at = 2;
  while (at + 4 <= b.size()) {
    if (b[at] != 0xFF) return std::nullopt;
    const uint8_t marker = b[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    // Markers without a length.
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
      at += 2;
      continue;
    }
    const std::size_t length = Big16(b, at + 2);
    if (length < 2) return std::nullopt;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > b.size()) return std::nullopt;
      return Checked(Big16(b, at + 7), Big16(b, at + 5));
    }
    at += 2 + length;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PictureExtent> PictureExtentOf(std::span<const uint8_t> b) {
  static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() >= 24 && std::equal(std::begin(kPng), std::end(kPng), b.begin()) && b[12] == 'I' &&
      b[13] == 'H' && b[14] == 'D' && b[15] == 'R') {
    return Checked(Big32(b, 16), Big32(b, 20));
  }
  if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') {
    const int64_t h = Little32(b, 22);
    return Checked(Little32(b, 18), h < 0 ? -h : h);
  }
  if (b.size() >= 4 && b[0] == 0xFF && b[1] == 0xD8) return JpegExtent(b);
  return std::nullopt;
}

std::optional<PictureExtent> PictureExtentOfFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes(64 * 1024);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return PictureExtentOf(bytes);
}

}  // namespace quorlin::ui
