#pragma once
// How the panel's bitmap sliders turn mouse, key and wheel input into
// positions. Pure functions over the slider's state and width; the widget
// calls them while it is enabled and posts `posted`, when there is one, to
// its parent.

#include <optional>

namespace quorlin::lighting {

struct SliderRange {
  int minimum = 0;
  int maximum = 5;
  int page = 10;  // larger than the range: Page Up and Page Down reach the ends
};

struct SliderState {
  int position = 0;
  bool dragging = false;  // left button pressed on the slider, not yet released
  bool armed = false;     // pressed and not left since: wheel input and the focus rectangle
};

struct SliderOutcome {
  SliderState state;
  std::optional<int> posted;
};

enum class SliderKey { kLeft, kUp, kRight, kDown, kPageUp, kPageDown, kHome, kEnd };

// The x pixel a position is drawn at, and the position a pixel stands for.
int SliderPixel(int position, int width, const SliderRange& range = {});
int SliderPositionAt(int x, int width, const SliderRange& range = {});

SliderOutcome SliderPress(const SliderState& s, int x, int width, const SliderRange& range = {});
SliderOutcome SliderDrag(const SliderState& s, int x, int width, const SliderRange& range = {});
SliderOutcome SliderRelease(const SliderState& s);
SliderOutcome SliderKeyPress(const SliderState& s, SliderKey key, const SliderRange& range = {});
// One step per message: up (positive) lowers the position, down raises it.
SliderOutcome SliderWheel(const SliderState& s, int delta, const SliderRange& range = {});
SliderOutcome SliderLeave(const SliderState& s);

}  // namespace quorlin::lighting
