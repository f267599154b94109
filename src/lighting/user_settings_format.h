#pragma once
// Value formats of the user lighting settings files. What these files hold
// is outside data (users edit them, old versions wrote them), so every
// parser answers "nothing" for a value it cannot take whole, and the caller
// falls back to the key's default.

#include <optional>
#include <string>
#include <string_view>

#include "lighting/colour.h"

namespace quorlin::lighting {

// A lit key's entry: its colour and its base-colour mark.
struct KeyEntry {
  Rgb colour{};
  bool base_mark = false;

  friend bool operator==(const KeyEntry&, const KeyEntry&) = default;
};

// "r,g,b", each 0..255 in decimal.
std::string FormatColour(Rgb colour);
std::optional<Rgb> ParseColour(std::string_view text);

// "r,g,b,mark"; any non-zero mark reads as set, and a set mark is written 1.
std::string FormatKeyEntry(const KeyEntry& entry);
std::optional<KeyEntry> ParseKeyEntry(std::string_view text);

// The leading decimal integer of a value (an optional sign, then digits;
// what follows them is ignored), as the private-profile integer reader
// takes it. Nothing when there are no digits or the number does not fit.
std::optional<int> ParseLeadingInt(std::string_view text);

}  // namespace quorlin::lighting
