#include "ui/skin/skin_rect.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace quorlin::ui {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// One "%d" at `pos`: blanks, an optional sign, then at least one digit.
std::optional<int> ReadInt(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  std::size_t p = pos;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  if (p >= text.size() || text[p] < '0' || text[p] > '9') return std::nullopt;
  long long value = 0;
  for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p) {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[p] - '0');
  }
  pos = p;
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

SkinRect ParseSkinRect(std::string_view text) {
  int values[4] = {0, 0, 0, 0};
  std::size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (pos >= text.size() || text[pos] != ',') break;
      ++pos;
    }
    std::optional<int> value = ReadInt(text, pos);
    if (!value) break;
    values[i] = *value;
  }
  return {values[0], values[1], values[2], values[3]};
}

SkinRect ClampSkinRect(const SkinRect& r, int width, int height) {
  const auto clamp = [](int64_t v, int64_t top) { return std::clamp<int64_t>(v, 0, top); };
  const int64_t left = clamp(r.x, width);
  const int64_t top = clamp(r.y, height);
  const int64_t right = clamp(int64_t{r.x} + r.w, width);
  const int64_t bottom = clamp(int64_t{r.y} + r.h, height);
  return {static_cast<int>(left), static_cast<int>(top),
          static_cast<int>(std::max(right - left, int64_t{0})),
          static_cast<int>(std::max(bottom - top, int64_t{0}))};
}

}  // namespace quorlin::ui
