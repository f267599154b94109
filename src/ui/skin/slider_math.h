#pragma once
// The arithmetic of the bitmap slider: where a click lands and where each
// key moves, kept apart from the widget so it can be checked on its own.

#include <algorithm>

namespace quorlin::ui {

struct SliderRange {
  int min = 0;
  int max = 5;
  constexpr int Clamp(int position) const { return std::clamp(position, min, std::max(min, max)); }
};

// The position under x on a face `width` pixels wide: the face is read as
// though it started 10 pixels further left, truncated and kept in range.
constexpr int SliderPositionFromX(int x, int width, SliderRange range) {
  if (width <= 0) return range.min;
  const int offset =
      static_cast<int>(static_cast<double>(x + 10) / width * (range.max - range.min));
  return range.Clamp(range.min + offset);
}

// The first pixel that gives `position` (0 for the first position).
constexpr int SliderPixelOfPosition(int position, int width, SliderRange range) {
  if (range.max <= range.min) return 0;
  const int span = range.max - range.min;
  return std::max(0, ((position - range.min) * width + span - 1) / span - 10);
}

enum class SliderKey { kLeft, kUp, kRight, kDown, kPageUp, kPageDown, kHome, kEnd };

constexpr int SliderPositionAfterKey(SliderKey key, int position, SliderRange range, int page) {
  switch (key) {
    case SliderKey::kLeft:
    case SliderKey::kUp:
      return range.Clamp(position - 1);
    case SliderKey::kRight:
    case SliderKey::kDown:
      return range.Clamp(position + 1);
    case SliderKey::kPageUp:
      return range.Clamp(position - page);
    case SliderKey::kPageDown:
      return range.Clamp(position + page);
    case SliderKey::kHome:
      return range.min;
    case SliderKey::kEnd:
      return range.max;
  }
  return position;
}

// A wheel turn away from the user (positive delta) moves one step down,
// towards the user one step up; larger turns still move one step.
constexpr int SliderPositionAfterWheel(int delta, int position, SliderRange range) {
  if (delta > 0) return range.Clamp(position - 1);
  if (delta < 0) return range.Clamp(position + 1);
  return position;
}

}  // namespace quorlin::ui
