#include "ui/skin/skin_rect.h"

#include <gtest/gtest.h>

#include <climits>

namespace quorlin::ui {
namespace {

struct RectCase {
  const char* text;
  SkinRect expected;
};

class ParseSkinRectTest : public ::testing::TestWithParam<RectCase> {};

TEST_P(ParseSkinRectTest, ReadsAsScanfWould) {
  EXPECT_EQ(ParseSkinRect(GetParam().text), GetParam().expected) << "\"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Values, ParseSkinRectTest,
    ::testing::Values(RectCase{"12,300,80,24", {12, 300, 80, 24}},
                      RectCase{"1,1,1,1,x", {1, 1, 1, 1}},            // the missing-key text
                      RectCase{" 7, 8,\t9, 10 rest", {7, 8, 9, 10}},  // blanks before numbers
                      RectCase{"-3,+4,5,6", {-3, 4, 5, 6}},
                      RectCase{"5,6", {5, 6, 0, 0}},  // short: the rest are 0
                      RectCase{"5,6,", {5, 6, 0, 0}},
                      RectCase{"1 ,2,3,4", {1, 0, 0, 0}},  // a blank before a comma stops
                      RectCase{"x,1,2,3", {0, 0, 0, 0}}, RectCase{"", {0, 0, 0, 0}},
                      RectCase{"99999999999,1,1,1", {INT_MAX, 1, 1, 1}},
                      RectCase{"10,20,30,40,50", {10, 20, 30, 40}}));

TEST(SkinRect, OnlyTheOneOneOriginIsUnplaced) {
  EXPECT_TRUE(IsUnplacedOrigin({1, 1, 30, 30}));
  EXPECT_FALSE(IsUnplacedOrigin({1, 2, 1, 1}));
  EXPECT_FALSE(IsUnplacedOrigin({0, 0, 0, 0}));
}

}  // namespace
}  // namespace quorlin::ui
