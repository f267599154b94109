#pragma once
// Safe use of printf-style templates that come from language files: only the
// one expected placeholder is substituted, everything else is literal text,
// so a stray "%s" or "%n" in a file can never reach printf.

#include <string>
#include <string_view>

namespace quorlin::text {

// Replaces the first integer placeholder (%d %i %u %x %X with optional
// flags '0' '-' and a width, e.g. "%04X") by `value`; "%%" becomes "%".
// Any other '%' sequence is copied as it stands.
std::string FormatWithInt(std::string_view tmpl, long long value);

// Replaces the first "%s" by `value`; "%%" becomes "%"; others literal.
std::string FormatWithText(std::string_view tmpl, std::string_view value);

}  // namespace quorlin::text
