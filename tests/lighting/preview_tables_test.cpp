// The preview's fixed tables: the anchor values the effects are built on,
// and the key layouts covering every key exactly once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "lighting/preview_colour_tables.h"
#include "lighting/preview_fade.h"
#include "lighting/preview_key_layout.h"
#include "lighting/preview_show_lists.h"

namespace quorlin::lighting {
namespace {

TEST(PreviewTables, RainbowPassesItsAnchorsEvery32Entries) {
  const Rgb anchors[] = {{255, 1, 0},   {248, 255, 0}, {0, 255, 1},
                         {0, 248, 255}, {1, 0, 255},   {255, 0, 248}};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(kRainbow[static_cast<std::size_t>(32 * i)], anchors[i]) << i;
  EXPECT_EQ(kIndexRainbow[0], (Rgb{255, 1, 0}));
}

// A closed circle: no channel jumps between neighbours, the last entry
// included. The 255-entry circle samples the same hue path at uneven steps,
// so it may move a little further between two entries.
template <std::size_t N>
int LargestStep(const std::array<Rgb, N>& circle) {
  int largest = 0;
  for (std::size_t i = 0; i < N; ++i) {
    const Rgb& a = circle[i];
    const Rgb& b = circle[(i + 1) % N];
    largest = std::max(
        {largest, std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
  }
  return largest;
}

TEST(PreviewTables, RainbowsAreSmoothClosedCircles) {
  EXPECT_LE(LargestStep(kRainbow), 8);
  EXPECT_LE(LargestStep(kIndexRainbow), 12);
}

template <std::size_t N>
void ExpectSwell(const std::array<uint8_t, N>& curve, std::initializer_list<int> start) {
  int i = 0;
  for (int value : start) EXPECT_EQ(curve[static_cast<std::size_t>(i++)], value) << i;
  EXPECT_EQ(curve[N / 2 - 1], 255);
  EXPECT_EQ(curve[N / 2], 255);
  for (std::size_t k = 0; k < N / 2; ++k) {
    EXPECT_EQ(curve[k], curve[N - 1 - k]) << k;
    if (k > 0) {
      EXPECT_LE(curve[k - 1], curve[k]) << k;
    }
  }
}

TEST(PreviewTables, BreathingCurvesRiseToTheMiddleAndFallBack) {
  ExpectSwell(kSwellCurve, {22, 24, 27, 30});
  ExpectSwell(kBreathCurve, {3, 3, 4, 5});
}

TEST(PreviewTables, PulseRisesFastThenTailsOffToDark) {
  const std::array<uint8_t, 19> start = {0,   4,   8,   14,  22,  33,  45,  61,  77, 94,
                                         114, 134, 158, 182, 206, 234, 255, 248, 241};
  EXPECT_TRUE(std::equal(start.begin(), start.end(), kPulseCurve.begin()));
  EXPECT_TRUE(std::is_sorted(kPulseCurve.begin() + 16, kPulseCurve.begin() + 80, std::greater<>()));
  EXPECT_TRUE(
      std::all_of(kPulseCurve.begin() + 80, kPulseCurve.end(), [](int v) { return v == 0; }));
}

TEST(PreviewTables, FadeStepShrinksAsTheKeyDims) {
  struct Case {
    int from;
    const FadeSteps& steps;
    int to;
  };
  const Case cases[] = {
      {255, kDefaultFade, 235}, {255, kFastFade, 175},    {255, kShowFade, 225},
      {128, kDefaultFade, 108}, {127, kDefaultFade, 111}, {127, kFastFade, 77},
      {64, kShowFade, 44},      {63, kShowFade, 53},      {63, kFastFade, 43},
      {32, kCornerFade, 22},    {31, kFastFade, 26},      {17, kShowFade, 12},
      {16, kFastFade, 15},      {1, kDefaultFade, 0},     {0, kFastFade, 0},
      {3, kFastFade, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Faded(static_cast<uint8_t>(c.from), c.steps), c.to) << c.from;
  }
}

std::multiset<int> PathLeds() {
  return {kKeyPath.begin(), kKeyPath.end()};
}

TEST(PreviewLayout, PathWalksEveryKeyOnceFromPause) {
  std::multiset<int> expected;
  for (int key = 0; key < kLitKeyCount; ++key) {
    if (key != kGKeysLitKey) expected.insert(LitKeyLeds()[static_cast<std::size_t>(key)]);
  }
  EXPECT_EQ(PathLeds(), expected);
  // Pause, then leftwards along the top row to Esc, then down the left edge.
  EXPECT_EQ(kKeyPath[0], 16);
  EXPECT_EQ(kKeyPath[15], 0);
  EXPECT_EQ(kKeyPath[16], 21);
}

TEST(PreviewLayout, GridPlacesKeysWhereTheKeyboardHasThem) {
  struct Cell {
    int row, column, led;
  };
  const Cell cells[] = {
      {0, 2, 0},   {0, 7, kNoLed}, {0, 18, 16},  {1, 1, 21},   {1, 14, 34},  {1, 15, 34},
      {1, 22, 41}, {2, 14, 55},    {2, 15, 55},  {3, 13, 76},  {3, 14, 76},  {3, 22, 62},
      {4, 0, 84},  {4, 1, 85},     {4, 12, 96},  {4, 17, 99},  {4, 22, 104}, {5, 6, 108},
      {5, 9, 109}, {5, 10, 110},   {5, 12, 112}, {5, 14, 113}, {5, 19, 123}, {5, 21, kNoLed},
  };
  for (const Cell& c : cells)
    EXPECT_EQ(GridLed(c.row, c.column), c.led) << c.row << "," << c.column;

  std::set<int> on_grid;
  for (const GridRow& row : kKeyGrid) {
    for (int led : row) {
      if (led != kNoLed) on_grid.insert(led);
    }
  }
  const std::multiset<int> path = PathLeds();
  EXPECT_EQ(on_grid, std::set<int>(path.begin(), path.end()));
}

TEST(PreviewLayout, TwelveDiagonalBandsFromEscToTheKeypad) {
  std::array<int, kBandCount> sizes{};
  for (int led : kKeyPath) {
    const int band = kBandOfLed[static_cast<std::size_t>(led)];
    ASSERT_GE(band, 0) << led;
    ASSERT_LT(band, kBandCount) << led;
    ++sizes[static_cast<std::size_t>(band)];
  }
  for (int size : sizes) EXPECT_LE(size, 12);
  EXPECT_EQ(kBandOfLed[0], 0);  // Esc
  std::set<int> last_band;
  for (int led = 0; led < kLedCount; ++led) {
    if (kBandOfLed[static_cast<std::size_t>(led)] == kBandCount - 1) last_band.insert(led);
  }
  EXPECT_EQ(last_band, (std::set<int>{62, 103, 104, 124}));  // keypad + 3 Enter .
}

TEST(PreviewLayout, TwinkleOrderAndShowSweepCoverEveryKeyOnce) {
  EXPECT_EQ(std::multiset<int>(kTwinkleOrder.begin(), kTwinkleOrder.end()), PathLeds());
  EXPECT_FALSE(std::equal(kTwinkleOrder.begin(), kTwinkleOrder.end(), kKeyPath.begin()));

  std::multiset<int> swept;
  for (const SweepColumn& column : kShowSweep) {
    for (int led : column) {
      if (led != kNoLed) swept.insert(led);
    }
  }
  EXPECT_EQ(swept, PathLeds());
}

}  // namespace
}  // namespace quorlin::lighting
