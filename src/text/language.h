#pragma once
// The current language, its persistence and the lookups of the language
// files. The language lives only in the settings store and every lookup
// asks it and the file again (both reread only when they changed on disk),
// so a choice made by the CLI or a file edited while the program runs takes
// effect at the next lookup.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/settings_store.h"
#include "text/system_language.h"
#include "text/text_source.h"

namespace quorlin::text {

struct LanguageEntry {
  uint32_t id;                 // Windows language identifier
  std::string_view file_name;  // in the program's data folder
  std::string_view name_key;   // TEXT key of the language's name in the picker
};

// The supported languages. The picker lists them in this order and stores
// the identifier of the chosen row, so every choice comes back at the next
// start; the position is the Language index. Index 0 is the default.
inline constexpr std::array<LanguageEntry, 3> kLanguages{{
    {0x0416, "Lang0416.ini", "PORTUGUESE_8"},
    {0x0409, "Lang0409.ini", "ENGINSH_6"},
    {0x0407, "Lang0407.ini", "GERMAN_7"},
}};
inline constexpr uint32_t kDefaultLanguageId = kLanguages[0].id;

// System languages that are served by another language's file.
struct LanguageAlias {
  uint32_t system_id;
  uint32_t language_id;
};
inline constexpr std::array<LanguageAlias, 1> kLanguageAliases{{{0x1046, 0x0416}}};

// Where the choice is stored: the product key, a 32-bit value; 0 means that
// no language has been chosen yet.
inline constexpr std::string_view kLanguageValueName = "dwLanguageId";

inline constexpr std::string_view kTextSection = "TEXT";
inline constexpr std::string_view kLightSection = "LIGHT";
inline constexpr std::string_view kModeSection = "MODE";

// The tag of the language-changed notice ('LANG', most significant byte first).
inline constexpr uint32_t kLanguageChangedTag = 0x4C414E47;

uint32_t ApplyLanguageAlias(uint32_t system_id);
// The Language index of an identifier, or nothing when it is not supported.
std::optional<int> FindLanguage(uint32_t id);
// The low 10 bits of an identifier name the language, the rest its region.
constexpr uint32_t PrimaryLanguage(uint32_t id) {
  return id & 0x3FF;
}
// The index of the identifier itself, else of the first supported language
// with the same primary language (0x0809 English, UK gives English), else
// nothing.
std::optional<int> FindLanguageOrVariant(uint32_t id);
// An index outside the table is taken as 0.
int ClampLanguageIndex(int index);
std::filesystem::path LanguageFilePath(const std::filesystem::path& dir, int index);

// The stored identifier. On first use (nothing, 0 or a value of the wrong
// type stored) it is resolved from the system language through the aliases
// and stored: a supported language as itself, a regional variant of one as
// that language, any other as the default. A stored identifier is returned
// unchanged, supported or not.
uint32_t CurrentLanguageId(platform::SettingsStore& store, const SystemLanguageProvider& system);
// The index of CurrentLanguageId or of its primary language, 0 when neither
// is in the table.
int CurrentLanguageIndex(platform::SettingsStore& store, const SystemLanguageProvider& system);
// Stores `id` as the choice and returns it.
uint32_t StoreLanguageId(platform::SettingsStore& store, uint32_t id);

// The value of `key` in the file of Language index `index`: "#Error" when
// the file or the key is missing, an empty text for an empty value, at most
// 259 characters.
std::string LangText(const std::filesystem::path& dir, std::string_view key, int index);
std::string LangLightText(const std::filesystem::path& dir, std::string_view key, int index);
std::string LangModeName(const std::filesystem::path& dir, int mode, int index);

// Why a language file cannot serve any text ("" when it can): the reason it
// cannot be read (missing, a folder, not a regular file), or that it is
// empty or holds no [TEXT] section. A file that merely lacks some keys is
// fine: those read as "#Error".
std::string LanguageFileProblem(const std::filesystem::path& file);

// The language files of one data folder, looked up in the current language.
class LanguageFiles final : public TextSource {
 public:
  LanguageFiles(std::filesystem::path dir, platform::SettingsStore& store,
                SystemLanguageProvider system);

  const std::filesystem::path& dir() const { return dir_; }
  uint32_t CurrentId() const;
  int CurrentIndex() const;
  // The picker's choice: stores the identifier of row `position` (the
  // default language for a row outside the table) and returns its index.
  // `saved` tells whether the store took it; if not, it holds until the
  // program ends.
  int Choose(int position, bool* saved = nullptr);
  // The current language's file, and LanguageFileProblem of it.
  std::filesystem::path CurrentFile() const;
  std::string CurrentFileProblem() const;

  std::string Text(std::string_view key) const override;
  std::string LightText(std::string_view key) const override;
  std::string ModeName(int mode) const override;

 private:
  std::filesystem::path dir_;
  platform::SettingsStore* store_;
  SystemLanguageProvider system_;
  std::optional<int> unsaved_choice_;
};

}  // namespace quorlin::text
