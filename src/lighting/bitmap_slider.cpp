#include "lighting/bitmap_slider.h"

#include <algorithm>

namespace quorlin::lighting {

namespace {

int Clamp(int position, const SliderRange& r) {
  return std::clamp(position, r.minimum, std::max(r.minimum, r.maximum));
}

int Span(const SliderRange& r) {
  return r.maximum - r.minimum;
}

SliderOutcome Post(SliderState s, int position, const SliderRange& r) {
  s.position = Clamp(position, r);
  return {s, s.position};
}

// A press or a drag to x: moves and posts only when x is not already where
// the current position is drawn.
SliderOutcome MoveTo(SliderState s, int x, int width, const SliderRange& r) {
  if (width <= 0 || x == SliderPixel(s.position, width, r)) return {s, std::nullopt};
  return Post(s, SliderPositionAt(x, width, r), r);
}

}  // namespace

int SliderPixel(int position, int width, const SliderRange& r) {
  if (Span(r) <= 0) return 0;
  return static_cast<int>(static_cast<double>(width) * (Clamp(position, r) - r.minimum) / Span(r));
}

int SliderPositionAt(int x, int width, const SliderRange& r) {
  if (width <= 0) return r.minimum;
  // The 10 pixels of lead let a click just short of a step's picture reach it.
  const double steps = static_cast<double>(x + 10) / width * Span(r);
  return Clamp(r.minimum + static_cast<int>(steps), r);
}

SliderOutcome SliderPress(const SliderState& s, int x, int width, const SliderRange& r) {
  SliderState pressed = s;
  pressed.dragging = true;
  pressed.armed = true;
  return MoveTo(pressed, x, width, r);
}

SliderOutcome SliderDrag(const SliderState& s, int x, int width, const SliderRange& r) {
  if (!s.dragging) return {s, std::nullopt};
  return MoveTo(s, x, width, r);
}

SliderOutcome SliderRelease(const SliderState& s) {
  SliderState released = s;
  released.dragging = false;
  return {released, released.position};
}

SliderOutcome SliderKeyPress(const SliderState& s, SliderKey key, const SliderRange& r) {
  switch (key) {
    case SliderKey::kLeft:
    case SliderKey::kUp:
      return Post(s, s.position - 1, r);
    case SliderKey::kRight:
    case SliderKey::kDown:
      return Post(s, s.position + 1, r);
    case SliderKey::kPageUp:
      return Post(s, s.position - r.page, r);
    case SliderKey::kPageDown:
      return Post(s, s.position + r.page, r);
    case SliderKey::kHome:
      return Post(s, r.minimum, r);
    case SliderKey::kEnd:
      return Post(s, r.maximum, r);
  }
  return {s, std::nullopt};
}

SliderOutcome SliderWheel(const SliderState& s, int delta, const SliderRange& r) {
  if (!s.armed || delta == 0) return {s, std::nullopt};
  return Post(s, s.position + (delta > 0 ? -1 : 1), r);
}

SliderOutcome SliderLeave(const SliderState& s) {
  SliderState left = s;
  left.armed = false;
  return {left, std::nullopt};
}

}  // namespace quorlin::lighting
