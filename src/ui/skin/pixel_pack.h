#pragma once
// A fast lossless packing of 32-bit pixels, for the pictures kept in memory
// while they are not on show (banded_picture.h, packed_pieces.h). The
// skin's pictures are mostly flat colour and gentle gradients: runs, small
// steps from the pixel before and a small table of colours seen lately
// pack them about as well as zlib does, at several times its speed and
// with no set-up per call, which matters for four hundred small pieces.
//
// Each pixel is a 32-bit value; its four bytes (alpha, red, green, blue
// from the top) are kept exactly, whatever they mean.

#include <cstdint>
#include <span>
#include <vector>

namespace quorlin::ui {

std::vector<std::uint8_t> PackPixels(std::span<const std::uint32_t> pixels);

// Fills `out` from `packed`. False when `packed` does not make exactly
// out.size() pixels; `out` is then partly written.
bool UnpackPixels(std::span<const std::uint8_t> packed, std::span<std::uint32_t> out);

}  // namespace quorlin::ui
