#pragma once
// Conversions between the program's UTF-8 text and the UTF-16 that macro
// names take in records and in the keyboard's macro area.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorlin::macros {

// Invalid UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The number of units of the longest prefix of `text` of at most
// `max_units` units that does not end between the two halves of a pair.
std::size_t Utf16PrefixLength(std::u16string_view text, std::size_t max_units);

// `text` cut to at most `max_units` UTF-16 units, never inside a character.
std::string CutToUtf16Units(std::string_view text, std::size_t max_units);

}  // namespace quorlin::macros
