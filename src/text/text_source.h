#pragma once
// Where user-visible texts come from. The language files implement it; tests
// may pass a small fake. Lookups never fail: a missing text reads "#Error".

#include <string>
#include <string_view>

namespace quorlin::text {

inline constexpr std::string_view kMissingText = "#Error";

class TextSource {
 public:
  virtual ~TextSource() = default;
  // Section "TEXT" of the current language.
  virtual std::string Text(std::string_view key) const = 0;
  // Section "LIGHT".
  virtual std::string LightText(std::string_view key) const = 0;
  // Section "MODE", key = the mode number in decimal.
  virtual std::string ModeName(int mode) const = 0;
};

}  // namespace quorlin::text
