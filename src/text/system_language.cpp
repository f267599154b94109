#include "text/system_language.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorlin::text {
namespace {

constexpr uint32_t kGerman = 0x0407;
constexpr uint32_t kEnglish = 0x0409;
constexpr uint32_t kPortugueseBrazil = 0x0416;
constexpr uint32_t kPortuguesePortugal = 0x0816;

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

uint32_t LanguageIdFromLocale(std::string_view locale) {
  // "language[_territory][.codeset][@modifier]"
  const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
  const std::size_t underscore = name.find('_');
  const std::string language = Lower(name.substr(0, underscore));
  const std::string territory =
      underscore == name.npos ? std::string() : Lower(name.substr(underscore + 1));
  if (language == "de") return kGerman;
  if (language == "en" || language == "c" || language == "posix") return kEnglish;
  if (language == "pt") return territory == "br" ? kPortugueseBrazil : kPortuguesePortugal;
  return kUnknownLanguageId;
}

uint32_t LanguageIdFromEnvironment(const platform::EnvironmentLookup& env) {
  for (std::string_view name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::optional<std::string> value = env(name);
    if (value && !value->empty()) return LanguageIdFromLocale(*value);
  }
  return kEnglish;  // nothing set is the "C" locale
}

uint32_t SystemLanguageId() {
#ifdef _WIN32
  return GetSystemDefaultLangID();
#else
  return LanguageIdFromEnvironment(platform::ProcessEnvironment);
#endif
}

}  // namespace quorlin::text
