#include "cli/cli_texts.h"

#include "platform/user_folders.h"
#include "text/system_language.h"

namespace quorlin::cli {

namespace {
constexpr uint32_t kEnglishId = 0x0409;
}

std::optional<uint32_t> FixedLanguageStore::ReadDword(std::string_view key_path,
                                                      std::string_view section,
                                                      std::string_view name) const {
  if (IsLanguage(name)) return id_;
  return inner_.ReadDword(key_path, section, name);
}

bool FixedLanguageStore::WriteDword(std::string_view key_path, std::string_view section,
                                    std::string_view name, uint32_t value) {
  if (IsLanguage(name)) return true;
  return inner_.WriteDword(key_path, section, name, value);
}

CliTexts::CliTexts(std::optional<uint32_t> language_id)
    : settings_(platform::UserSettingsStore()),
      english_store_(settings_, kEnglishId),
      english_(platform::ProgramDataDir(), english_store_, text::SystemLanguageId) {
  if (language_id) {
    chosen_store_.emplace(settings_, *language_id);
    chosen_.emplace(platform::ProgramDataDir(), *chosen_store_, text::SystemLanguageId);
  } else {
    chosen_.emplace(platform::ProgramDataDir(), settings_, text::SystemLanguageId);
  }
  current_ = &*chosen_;
}

}  // namespace quorlin::cli
