#include "macros/macro_name.h"

#include <algorithm>

#include "macros/utf16_text.h"

namespace quorlin::macros {
namespace {

// Simple one-to-one folding of the scripts the language files are written
// in (Latin with its accented letters, Greek, Cyrillic). Letters outside
// them compare exactly.
char16_t FoldCase(char16_t unit) {
  const auto plus = [unit](int offset) { return static_cast<char16_t>(unit + offset); };
  if (unit >= u'A' && unit <= u'Z') return plus(32);
  if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) return plus(32);
  if ((unit >= 0x100 && unit <= 0x137) || (unit >= 0x14A && unit <= 0x177)) {
    return static_cast<char16_t>(unit | 1u);
  }
  if ((unit >= 0x139 && unit <= 0x148) || (unit >= 0x179 && unit <= 0x17E)) {
    return (unit & 1u) ? plus(1) : unit;
  }
  if (unit == 0x178) return 0xFF;
  if (unit >= 0x391 && unit <= 0x3A9 && unit != 0x3A2) return plus(32);
  if (unit >= 0x410 && unit <= 0x42F) return plus(32);
  if (unit >= 0x400 && unit <= 0x40F) return plus(80);
  return unit;
}

}  // namespace

std::u16string_view MacroNameUnits(const MacroRecord& record) {
  const auto end = std::find(record.name.begin(), record.name.begin() + kMaxMacroNameLength, u'\0');
  return std::u16string_view(record.name.data(),
                             static_cast<std::size_t>(end - record.name.begin()));
}

std::string MacroName(const MacroRecord& record) {
  return Utf16ToUtf8(MacroNameUnits(record));
}

void SetMacroNameUnits(MacroRecord& record, std::u16string_view name) {
  const std::size_t length = Utf16PrefixLength(name, kMaxMacroNameLength);
  record.name.fill(u'\0');
  std::copy_n(name.begin(), length, record.name.begin());
}

void SetMacroName(MacroRecord& record, std::string_view name) {
  SetMacroNameUnits(record, Utf8ToUtf16(name));
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  const std::u16string whole = Utf8ToUtf16(text);
  const std::u16string start = Utf8ToUtf16(prefix);
  if (start.size() > whole.size()) return false;
  return std::equal(start.begin(), start.end(), whole.begin(),
                    [](char16_t a, char16_t b) { return FoldCase(a) == FoldCase(b); });
}

}  // namespace quorlin::macros
