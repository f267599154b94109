#pragma once
// Moving lights over the key grid. Four planes each hold, per grid column, a
// mask of seven rows (the six key rows and one just below the keyboard, so a
// light can wait out of sight). The planes move in four different directions
// every tick; a light that runs off the grid is gone.

#include <array>
#include <cstdint>

#include "lighting/preview_key_layout.h"

namespace quorlin::lighting {

class LightPlanes {
 public:
  static constexpr int kPlaneCount = 4;
  static constexpr int kRows = kGridRows + 1;
  static constexpr uint8_t kRowMask = (1u << kRows) - 1;
  static constexpr uint8_t kTopRow = 0x01;
  static constexpr uint8_t kBelowRow = 1u << kGridRows;

  void Clear() { masks_ = {}; }
  bool Empty() const;

  // Rows set at `column` in any plane.
  uint8_t At(int column) const;
  // Puts `rows` at `column` into every plane, so lights leave it in all four
  // directions.
  void SetAll(int column, uint8_t rows);
  void Set(int plane, int column, uint8_t rows);
  // Adds `rows` at `column` of one plane, keeping what is there.
  void Add(int plane, int column, uint8_t rows);

  // Plane 0 goes left and up, 1 left and down, 2 right and up, 3 right and
  // down.
  void MoveDiagonally();
  // Planes 0 and 2 go up, 1 and 3 down; columns stay.
  void MoveVertically();

 private:
  using Plane = std::array<uint8_t, kGridColumns>;
  std::array<Plane, kPlaneCount> masks_{};
};

}  // namespace quorlin::lighting
