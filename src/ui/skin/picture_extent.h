#pragma once
// The width and height a picture file declares in its header (PNG, JPEG,
// BMP), read without decoding it: enough to know how large a window its
// Skin file describes. Standard C++ only, so the skin reader can be fuzzed
// without a display.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace quorlin::ui {

struct PictureExtent {
  int width = 0;
  int height = 0;
};

// No window of the program comes near this; a picture that claims more
// would not load either.
inline constexpr int kLargestWindowSide = 8192;

// Nothing for bytes that are none of the three formats or claim a size of
// zero or more than kLargestWindowSide on a side.
std::optional<PictureExtent> PictureExtentOf(std::span<const uint8_t> header);
// Reads at most the first 64 KiB of a regular file.
std::optional<PictureExtent> PictureExtentOfFile(const std::filesystem::path& file);

}  // namespace quorlin::ui
