#pragma once
// The system's default language as a Windows language identifier (LANGID),
// the form in which the program stores its language choice.

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/user_folders.h"

namespace quorlin::text {

// Gives the system's default language; tests pass a fixed one.
using SystemLanguageProvider = std::function<uint32_t()>;

// What a locale the program has no identifier for gives.
inline constexpr uint32_t kUnknownLanguageId = 0x0000;

// A POSIX locale name ("de_DE.UTF-8", "pt_BR", "en", "C") as a LANGID:
// German 0x0407, English 0x0409 (also for the untranslated "C" and "POSIX"
// locales), Portuguese 0x0416 for Brazil and 0x0816 otherwise, anything
// else kUnknownLanguageId.
uint32_t LanguageIdFromLocale(std::string_view locale);

// The message locale as the C library picks it: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty; none set is the "C" locale.
uint32_t LanguageIdFromEnvironment(const platform::EnvironmentLookup& env);

// The running system's default language.
uint32_t SystemLanguageId();

}  // namespace quorlin::text
