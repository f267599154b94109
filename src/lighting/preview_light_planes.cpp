#include "lighting/preview_light_planes.h"

#include <cstddef>

namespace quorlin::lighting {

namespace {

uint8_t Up(uint8_t rows) {
  return static_cast<uint8_t>(rows >> 1);
}
uint8_t Down(uint8_t rows) {
  return static_cast<uint8_t>((rows << 1) & LightPlanes::kRowMask);
}

constexpr bool GoesUp(int plane) {
  return plane % 2 == 0;
}
constexpr int ColumnStep(int plane) {
  return plane < 2 ? -1 : 1;
}

}  // namespace

bool LightPlanes::Empty() const {
  for (const Plane& plane : masks_) {
    for (uint8_t rows : plane) {
      if (rows != 0) return false;
    }
  }
  return true;
}

uint8_t LightPlanes::At(int column) const {
  uint8_t rows = 0;
  for (const Plane& plane : masks_) rows |= plane[static_cast<std::size_t>(column)];
  return rows;
}

void LightPlanes::SetAll(int column, uint8_t rows) {
  for (int plane = 0; plane < kPlaneCount; ++plane) Set(plane, column, rows);
}

void LightPlanes::Set(int plane, int column, uint8_t rows) {
  masks_[static_cast<std::size_t>(plane)][static_cast<std::size_t>(column)] =
      static_cast<uint8_t>(rows & kRowMask);
}

void LightPlanes::Add(int plane, int column, uint8_t rows) {
  uint8_t& at = masks_[static_cast<std::size_t>(plane)][static_cast<std::size_t>(column)];
  at = static_cast<uint8_t>((at | rows) & kRowMask);
}

void LightPlanes::MoveDiagonally() {
  for (int p = 0; p < kPlaneCount; ++p) {
    const Plane& old = masks_[static_cast<std::size_t>(p)];
    Plane moved{};
    for (int column = 0; column < kGridColumns; ++column) {
      const int to = column + ColumnStep(p);
      if (to < 0 || to >= kGridColumns) continue;
      const uint8_t rows = old[static_cast<std::size_t>(column)];
      moved[static_cast<std::size_t>(to)] = GoesUp(p) ? Up(rows) : Down(rows);
    }
    masks_[static_cast<std::size_t>(p)] = moved;
  }
}

void LightPlanes::MoveVertically() {
  for (int p = 0; p < kPlaneCount; ++p) {
    for (uint8_t& rows : masks_[static_cast<std::size_t>(p)]) {
      rows = GoesUp(p) ? Up(rows) : Down(rows);
    }
  }
}

}  // namespace quorlin::lighting
