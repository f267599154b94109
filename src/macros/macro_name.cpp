#include "macros/macro_name.h"

#include <algorithm>

#include "macros/utf16_text.h"
#include "text/case_fold.h"

namespace quorlin::macros {

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

// The one fold of the program, so this check and the command line's name
// lookups never disagree. It folds code point by code point, so a folded
// prefix is a prefix of the folded text.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text::FoldCase(text).starts_with(text::FoldCase(prefix));
}

}  // namespace quorlin::macros
