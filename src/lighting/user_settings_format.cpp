#include "lighting/user_settings_format.h"

#include <array>
#include <charconv>
#include <cstddef>

namespace quorlin::lighting {

namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Exactly N comma-separated integers, blanks allowed around each.
template <std::size_t N>
std::optional<std::array<int, N>> ParseIntegers(std::string_view text) {
  std::array<int, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t comma = text.find(',');
    const bool last = i + 1 == N;
    if (last != (comma == std::string_view::npos)) return std::nullopt;
    const std::string_view field = TrimBlanks(text.substr(0, comma));
    if (field.empty()) return std::nullopt;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, out[i]);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    if (!last) text.remove_prefix(comma + 1);
  }
  return out;
}

bool IsChannel(int v) {
  return v >= 0 && v <= 255;
}

Rgb ChannelsToRgb(int r, int g, int b) {
  return Rgb{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

}  // namespace

std::string FormatColour(Rgb c) {
  return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

std::optional<Rgb> ParseColour(std::string_view text) {
  const auto v = ParseIntegers<3>(text);
  if (!v || !IsChannel((*v)[0]) || !IsChannel((*v)[1]) || !IsChannel((*v)[2])) {
    return std::nullopt;
  }
  return ChannelsToRgb((*v)[0], (*v)[1], (*v)[2]);
}

std::string FormatKeyEntry(const KeyEntry& entry) {
  return FormatColour(entry.colour) + (entry.base_mark ? ",1" : ",0");
}

std::optional<KeyEntry> ParseKeyEntry(std::string_view text) {
  const auto v = ParseIntegers<4>(text);
  if (!v || !IsChannel((*v)[0]) || !IsChannel((*v)[1]) || !IsChannel((*v)[2])) {
    return std::nullopt;
  }
  return KeyEntry{ChannelsToRgb((*v)[0], (*v)[1], (*v)[2]), (*v)[3] != 0};
}

std::optional<int> ParseLeadingInt(std::string_view text) {
  text = TrimBlanks(text);
  std::size_t digits_from = 0;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) digits_from = 1;
  std::size_t n = digits_from;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
  if (n == digits_from) return std::nullopt;
  // from_chars takes '-' but not '+'.
  const std::size_t from = text[0] == '+' ? 1 : 0;
  int value = 0;
  const auto [ptr, ec] = std::from_chars(text.data() + from, text.data() + n, value);
  if (ec != std::errc() || ptr != text.data() + n) return std::nullopt;
  return value;
}

}  // namespace quorlin::lighting
