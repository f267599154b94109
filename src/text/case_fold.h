#pragma once
// Case folding for names the user types (keys, media functions, macros):
// "RÜCKTASTE" and "rücktaste" must find the same key. Covers ASCII, Latin-1
// and Latin Extended-A, the letters of the program's languages, and the
// Greek and Cyrillic capitals (macro names use this fold too, so a name the
// macro editor calls taken is one the command line finds). Other characters
// and malformed UTF-8 bytes are kept as they are.

#include <string>
#include <string_view>

namespace quorlin::text {

// One code point folded to its lower-case form.
char32_t FoldCodePoint(char32_t c);

// The UTF-8 text with every letter folded.
std::string FoldCase(std::string_view utf8);

// True when both texts fold to the same text.
bool EqualFolded(std::string_view a, std::string_view b);

}  // namespace quorlin::text
