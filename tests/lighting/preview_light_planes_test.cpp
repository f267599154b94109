#include "lighting/preview_light_planes.h"

#include <gtest/gtest.h>

namespace quorlin::lighting {
namespace {

constexpr uint8_t Row(int row) {
  return static_cast<uint8_t>(1u << row);
}

// Where one light of each plane is after one move; column -1 means gone.
struct MoveCase {
  int plane;
  int column, row;
  int to_column, to_row;
};

void ExpectAlone(const LightPlanes& planes, const MoveCase& c) {
  for (int column = 0; column < kGridColumns; ++column) {
    const uint8_t expected = column == c.to_column ? Row(c.to_row) : 0;
    EXPECT_EQ(planes.At(column), expected) << "plane " << c.plane << " column " << column;
  }
}

TEST(PreviewLightPlanes, DiagonalMoveSendsEachPlaneItsOwnWay) {
  const MoveCase cases[] = {
      {0, 5, 3, 4, 2},
      {1, 5, 3, 4, 4},
      {2, 5, 3, 6, 2},
      {3, 5, 3, 6, 4},
      // Off the sides, off the top, past the hidden row.
      {0, 0, 3, -1, 0},
      {2, 22, 3, -1, 0},
      {0, 5, 0, -1, 0},
      {3, 5, 6, -1, 0},
      // Into the hidden row below the keys.
      {1, 5, 5, 4, 6},
  };
  for (const MoveCase& c : cases) {
    LightPlanes planes;
    planes.Set(c.plane, c.column, Row(c.row));
    planes.MoveDiagonally();
    ExpectAlone(planes, c);
    EXPECT_EQ(planes.Empty(), c.to_column < 0);
  }
}

TEST(PreviewLightPlanes, VerticalMoveKeepsColumns) {
  const MoveCase cases[] = {
      {0, 7, 3, 7, 2}, {1, 7, 3, 7, 4}, {2, 7, 3, 7, 2}, {3, 7, 3, 7, 4}, {1, 7, 6, -1, 0},
  };
  for (const MoveCase& c : cases) {
    LightPlanes planes;
    planes.Set(c.plane, c.column, Row(c.row));
    planes.MoveVertically();
    ExpectAlone(planes, c);
  }
}

TEST(PreviewLightPlanes, LightSetInAllPlanesLeavesInFourDirections) {
  LightPlanes planes;
  planes.SetAll(10, Row(2));
  planes.MoveDiagonally();
  EXPECT_EQ(planes.At(9), Row(1) | Row(3));
  EXPECT_EQ(planes.At(11), Row(1) | Row(3));
  EXPECT_EQ(planes.At(10), 0);

  planes.Add(1, 9, Row(0));
  EXPECT_EQ(planes.At(9), Row(0) | Row(1) | Row(3));
}

}  // namespace
}  // namespace quorlin::lighting
