#pragma once
// A control's rectangle as a Skin file writes it: "x,y,w,h" in client
// pixels of the dialog.

#include <string_view>

namespace quorlin::ui {

struct SkinRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

// The text a missing key reads as: a one-pixel control at (1, 1).
inline constexpr std::string_view kMissingRectText = "1,1,1,1,x";

// Reads up to four decimal integers separated by commas, each optionally
// preceded by blanks, as scanf's "%d,%d,%d,%d" does; anything after the
// fourth is ignored. Numbers that are missing (a short or broken value) are
// 0, and a number too large for an int is clamped.
SkinRect ParseSkinRect(std::string_view text);

// The part of `r` inside a window of `width` x `height` (both at least 0):
// a skin cannot make a control larger than its window, however large the
// numbers it writes. A rectangle wholly outside keeps its clamped corner and
// a size of 0.
SkinRect ClampSkinRect(const SkinRect& r, int width, int height);

// Whether a rectangle marks a control the skin does not place: image
// buttons at (1, 1) are disabled.
constexpr bool IsUnplacedOrigin(const SkinRect& r) {
  return r.x == 1 && r.y == 1;
}

}  // namespace quorlin::ui
