#include "macros/utf16_text.h"

#include <cstdint>

namespace quorlin::macros {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

struct Utf8Lead {
  std::size_t length = 0;  // 0: not a lead byte
  char32_t bits = 0;
  char32_t minimum = 0;  // smaller values are overlong forms
};

Utf8Lead ReadLead(unsigned char lead) {
  if (lead < 0x80) return {1, lead, 0};
  if ((lead & 0xE0) == 0xC0) return {2, lead & 0x1Fu, 0x80};
  if ((lead & 0xF0) == 0xE0) return {3, lead & 0x0Fu, 0x800};
  if ((lead & 0xF8) == 0xF0) return {4, lead & 0x07u, 0x10000};
  return {};
}

// Decodes one character at the start of `text` (not empty); returns the
// number of bytes it took. Overlong forms, surrogates and values beyond
// U+10FFFF are invalid and take one byte.
std::size_t DecodeUtf8(std::string_view text, char32_t& out) {
  const Utf8Lead lead = ReadLead(static_cast<unsigned char>(text[0]));
  out = kReplacement;
  if (lead.length == 0 || text.size() < lead.length) return 1;
  char32_t value = lead.bits;
  for (std::size_t i = 1; i < lead.length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return 1;
    value = (value << 6) | (byte & 0x3Fu);
  }
  if (value < lead.minimum || value > 0x10FFFF || IsHighSurrogate(value) || IsLowSurrogate(value)) {
    return 1;
  }
  out = value;
  return lead.length;
}

void AppendUtf8(char32_t value, std::string& out) {
  const auto put = [&out](uint32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (value < 0x80) {
    put(value);
  } else if (value < 0x800) {
    put(0xC0 | (value >> 6));
    put(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    put(0xE0 | (value >> 12));
    put(0x80 | ((value >> 6) & 0x3F));
    put(0x80 | (value & 0x3F));
  } else {
    put(0xF0 | (value >> 18));
    put(0x80 | ((value >> 12) & 0x3F));
    put(0x80 | ((value >> 6) & 0x3F));
    put(0x80 | (value & 0x3F));
  }
}

void AppendUtf16(char32_t value, std::u16string& out) {
  if (value < 0x10000) {
    out.push_back(static_cast<char16_t>(value));
    return;
  }
  value -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  while (!text.empty()) {
    char32_t value = 0;
    text.remove_prefix(DecodeUtf8(text, value));
    AppendUtf16(value, out);
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00u), out);
      ++i;
    } else {
      AppendUtf8(IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit, out);
    }
  }
  return out;
}

std::size_t Utf16PrefixLength(std::u16string_view text, std::size_t max_units) {
  if (text.size() <= max_units) return text.size();
  if (max_units > 0 && IsHighSurrogate(text[max_units - 1]) && IsLowSurrogate(text[max_units])) {
    return max_units - 1;
  }
  return max_units;
}

std::string CutToUtf16Units(std::string_view text, std::size_t max_units) {
  std::size_t units = 0;
  std::size_t bytes = 0;
  while (bytes < text.size()) {
    char32_t value = 0;
    const std::size_t length = DecodeUtf8(text.substr(bytes), value);
    const std::size_t needed = value < 0x10000 ? 1 : 2;
    if (units + needed > max_units) break;
    units += needed;
    bytes += length;
  }
  return std::string(text.substr(0, bytes));
}

}  // namespace quorlin::macros
