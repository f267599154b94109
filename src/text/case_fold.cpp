#include "text/case_fold.h"

namespace quorlin::text {

namespace {

// Decodes the code point at `i` and advances `i`; nothing (and `i` one
// byte on) for a byte that does not start a well-formed sequence.
bool DecodeAt(std::string_view s, std::size_t& i, char32_t& out) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t c = 0;
  if (b0 < 0x80) {
    out = b0;
    ++i;
    return true;
  }
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1;
    c = b0 & 0x1Fu;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2;
    c = b0 & 0x0Fu;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3;
    c = b0 & 0x07u;
  } else {
    ++i;
    return false;
  }
  if (i + static_cast<std::size_t>(extra) >= s.size()) {
    ++i;
    return false;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0u) != 0x80u) {
      ++i;
      return false;
    }
    c = (c << 6) | (b & 0x3Fu);
  }
  // Overlong forms and surrogates are not characters.
  if ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
      (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return false;
  }
  i += static_cast<std::size_t>(extra) + 1;
  out = c;
  return true;
}

void Encode(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t FoldCodePoint(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  // Latin-1: À..Þ except the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  // Greek and Cyrillic capitals: macro names may be in any script the
  // keyboard's users write, and the name checks and the lookups must agree.
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;          // Α..Ω
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;                        // А..Я
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;                        // Ѐ..Џ
  if (c < 0x100 || c > 0x17F) return c == 0x1E9E ? char32_t{0xDF} : c;  // capital sharp s
  // Latin Extended-A pairs capital and small letters, but the pairing
  // changes parity twice and a few letters stand alone.
  if (c == 0x130) return U'i';                           // İ
  if (c == 0x178) return 0xFF;                           // Ÿ
  if (c == 0x17F) return U's';                           // long s
  if (c == 0x131 || c == 0x138 || c == 0x149) return c;  // ı ĸ ŉ have no capital here
  const bool odd_capitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (odd_capitals) return (c % 2 == 1) ? c + 1 : c;
  return (c % 2 == 0) ? c + 1 : c;
}

std::string FoldCase(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t start = i;
    char32_t c = 0;
    if (DecodeAt(utf8, i, c)) {
      Encode(FoldCodePoint(c), out);
    } else {
      out += utf8[start];
    }
  }
  return out;
}

bool EqualFolded(std::string_view a, std::string_view b) {
  return FoldCase(a) == FoldCase(b);
}

}  // namespace quorlin::text
