#pragma once
// Macro names: UTF-16 in the record, UTF-8 everywhere else.

#include <string>
#include <string_view>

#include "macros/macro_record.h"

namespace quorlin::macros {

// The name up to its terminator (at most 249 units).
std::u16string_view MacroNameUnits(const MacroRecord& record);
std::string MacroName(const MacroRecord& record);

// Stores `name` cut to 249 units (never inside a character) and clears the
// units after it, so no earlier name shows through.
void SetMacroNameUnits(MacroRecord& record, std::u16string_view name);
void SetMacroName(MacroRecord& record, std::string_view name);

// The selector's prefix search: does `text` begin with `prefix`, letters
// compared without regard to case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace quorlin::macros
