#pragma once
// The colour tables of the lighting preview: two rainbows over one hue
// circle, the two breathing swells, the pulse, and how a curve value dims a
// colour.

#include <array>
#include <cstddef>
#include <cstdint>

#include "lighting/colour.h"

namespace quorlin::lighting {

namespace detail {

// Entry i of an n-entry hue circle. The circle has six sixths; in each one
// channel climbs 1, 9, 17 ... or falls 248, 240 ... while the others sit at
// 255 or 0, so the 192-entry circle starts at (255, 1, 0) and reaches
// (248, 255, 0) at entry 32, (0, 255, 1) at 64 and so on around to red.
constexpr Rgb HueCircleEntry(int i, int n) {
  const int steps = i * 6 * 256 / n;
  const int sixth = steps / 256;
  const int within = steps % 256;
  const auto rise = static_cast<uint8_t>(within + 1 > 255 ? 255 : within + 1);
  const auto fall = static_cast<uint8_t>(within > 248 ? 0 : 248 - within);
  switch (sixth) {
    case 0:
      return {255, rise, 0};
    case 1:
      return {fall, 255, 0};
    case 2:
      return {0, 255, rise};
    case 3:
      return {0, fall, 255};
    case 4:
      return {rise, 0, 255};
    default:
      return {255, 0, fall};
  }
}

template <std::size_t N>
constexpr std::array<Rgb, N> MakeHueCircle() {
  std::array<Rgb, N> circle{};
  for (std::size_t i = 0; i < N; ++i) {
    circle[i] = HueCircleEntry(static_cast<int>(i), static_cast<int>(N));
  }
  return circle;
}

}  // namespace detail

// The phase-driven modes walk this one.
inline constexpr std::array<Rgb, 192> kRainbow = detail::MakeHueCircle<192>();
// Keys with a colour index of their own (0..254) look it up here.
inline constexpr std::array<Rgb, 255> kIndexRainbow = detail::MakeHueCircle<255>();

// clang-format off
// A slow swell for waves: from 22 up to 255 at entries 47 and 48 and back.
inline constexpr std::array<uint8_t, 96> kSwellCurve = {
    22, 24, 27, 30, 34, 39, 43, 48, 54, 59, 65, 71, 77, 83, 90, 96,
    103, 110, 117, 123, 130, 137, 144, 151, 158, 164, 171, 178, 184, 190, 196, 202,
    208, 213, 219, 224, 228, 233, 237, 240, 244, 247, 249, 251, 253, 254, 254, 255,
    255, 254, 254, 253, 251, 249, 247, 244, 240, 237, 233, 228, 224, 219, 213, 208,
    202, 196, 190, 184, 178, 171, 164, 158, 151, 144, 137, 130, 123, 117, 110, 103,
    96, 90, 83, 77, 71, 65, 59, 54, 48, 43, 39, 34, 30, 27, 24, 22,
};

// Breathing: nearly dark (3) at both ends, 255 at entries 63 and 64.
inline constexpr std::array<uint8_t, 128> kBreathCurve = {
    3, 3, 4, 5, 7, 8, 10, 12, 15, 17, 20, 23, 26, 29, 32, 36,
    39, 43, 47, 51, 55, 60, 64, 69, 73, 78, 83, 88, 93, 99, 104, 110,
    115, 121, 126, 132, 138, 144, 149, 155, 161, 167, 173, 179, 184, 190, 196, 201,
    207, 212, 217, 222, 226, 231, 235, 239, 242, 245, 248, 251, 252, 254, 254, 255,
    255, 254, 254, 252, 251, 248, 245, 242, 239, 235, 231, 226, 222, 217, 212, 207,
    201, 196, 190, 184, 179, 173, 167, 161, 155, 149, 144, 138, 132, 126, 121, 115,
    110, 104, 99, 93, 88, 83, 78, 73, 69, 64, 60, 55, 51, 47, 43, 39,
    36, 32, 29, 26, 23, 20, 17, 15, 12, 10, 8, 7, 5, 4, 3, 3,
};

// A pulse: a quick rise to 255 at entry 16, a long tail that is dark from
// entry 79, then a dark gap so pulses stand apart.
inline constexpr std::array<uint8_t, 128> kPulseCurve = {
    0, 4, 8, 14, 22, 33, 45, 61, 77, 94, 114, 134, 158, 182, 206, 234,
    255, 248, 241, 234, 228, 221, 214, 208, 201, 195, 189, 183, 177, 171, 165, 159,
    153, 148, 142, 137, 131, 126, 121, 116, 111, 106, 101, 97, 92, 88, 83, 79,
    75, 71, 67, 63, 59, 55, 52, 48, 45, 42, 39, 36, 33, 30, 27, 24,
    22, 20, 17, 15, 13, 11, 10, 8, 6, 5, 4, 3, 2, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// clang-format on

// The colour dimmed to `level` of 255, each channel rounded down.
constexpr Rgb Dim(Rgb colour, uint8_t level) {
  const auto dim = [level](uint8_t channel) { return static_cast<uint8_t>(channel * level / 255); };
  return {dim(colour.red), dim(colour.green), dim(colour.blue)};
}

// Entry `at` of a table, `at` taken round the table's length (negative too).
template <typename T, std::size_t N>
constexpr const T& Wrapped(const std::array<T, N>& table, int at) {
  const int n = static_cast<int>(N);
  return table[static_cast<std::size_t>(((at % n) + n) % n)];
}

}  // namespace quorlin::lighting
