#include "text/language.h"

#include <cctype>
#include <string>

#include "platform/ini_file.h"

namespace quorlin::text {
namespace {

std::string Lookup(const std::filesystem::path& dir, std::string_view section, std::string_view key,
                   int index) {
  return platform::ReadProfileString(LanguageFilePath(dir, index), section, key, kMissingText,
                                     platform::kLookupBufferSize);
}

}  // namespace

std::string LanguageFileProblem(const std::filesystem::path& file) {
  platform::IniFile ini;
  std::string error;
  switch (platform::IniFile::Load(file, &ini, &error)) {
    case platform::ReadStatus::kMissing:
      return "no such file";
    case platform::ReadStatus::kFailed: {
      // The caller names the file itself.
      const std::string tail = ": " + file.string();
      if (error.size() > tail.size() &&
          error.compare(error.size() - tail.size(), tail.size(), tail) == 0)
        error.resize(error.size() - tail.size());
      return error;
    }
    case platform::ReadStatus::kOk:
      break;
  }
  const auto is_text_section = [](std::string_view name) {
    if (name.size() != kTextSection.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (std::toupper(static_cast<unsigned char>(name[i])) != kTextSection[i]) return false;
    }
    return true;
  };
  for (const platform::IniEntry& e : ini.Entries()) {
    if (e.in_section && is_text_section(e.section)) return {};
  }
  return ini.Entries().empty() ? "the file is empty or holds no texts"
                               : "the file holds no [TEXT] section: not a language file";
}

uint32_t ApplyLanguageAlias(uint32_t system_id) {
  for (const LanguageAlias& alias : kLanguageAliases) {
    if (alias.system_id == system_id) return alias.language_id;
  }
  return system_id;
}

std::optional<int> FindLanguage(uint32_t id) {
  for (std::size_t i = 0; i < kLanguages.size(); ++i) {
    if (kLanguages[i].id == id) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<int> FindLanguageOrVariant(uint32_t id) {
  if (const std::optional<int> exact = FindLanguage(id)) return exact;
  for (std::size_t i = 0; i < kLanguages.size(); ++i) {
    if (PrimaryLanguage(kLanguages[i].id) == PrimaryLanguage(id)) return static_cast<int>(i);
  }
  return std::nullopt;
}

int ClampLanguageIndex(int index) {
  return index >= 0 && index < static_cast<int>(kLanguages.size()) ? index : 0;
}

std::filesystem::path LanguageFilePath(const std::filesystem::path& dir, int index) {
  return dir / kLanguages[static_cast<std::size_t>(ClampLanguageIndex(index))].file_name;
}

uint32_t CurrentLanguageId(platform::SettingsStore& store, const SystemLanguageProvider& system) {
  // A missing or mistyped value counts as 0 (not chosen); the resolved
  // choice written below replaces it.
  const uint32_t stored =
      store.ReadDword(platform::kProductKeyPath, "", kLanguageValueName).value_or(0);
  if (stored != 0) return stored;
  // A regional variant we have no file for (English, UK) is served by the
  // file of its language rather than by the default one.
  const std::optional<int> found = FindLanguageOrVariant(ApplyLanguageAlias(system()));
  const uint32_t chosen =
      found ? kLanguages[static_cast<std::size_t>(*found)].id : kDefaultLanguageId;
  return StoreLanguageId(store, chosen);
}

int CurrentLanguageIndex(platform::SettingsStore& store, const SystemLanguageProvider& system) {
  return FindLanguageOrVariant(CurrentLanguageId(store, system)).value_or(0);
}

uint32_t StoreLanguageId(platform::SettingsStore& store, uint32_t id) {
  store.WriteDword(platform::kProductKeyPath, "", kLanguageValueName, id);
  return id;
}

std::string LangText(const std::filesystem::path& dir, std::string_view key, int index) {
  return Lookup(dir, kTextSection, key, index);
}

std::string LangLightText(const std::filesystem::path& dir, std::string_view key, int index) {
  return Lookup(dir, kLightSection, key, index);
}

std::string LangModeName(const std::filesystem::path& dir, int mode, int index) {
  return Lookup(dir, kModeSection, std::to_string(mode), index);
}

LanguageFiles::LanguageFiles(std::filesystem::path dir, platform::SettingsStore& store,
                             SystemLanguageProvider system)
    : dir_(std::move(dir)), store_(&store), system_(std::move(system)) {}

uint32_t LanguageFiles::CurrentId() const {
  if (unsaved_choice_) return kLanguages[static_cast<std::size_t>(*unsaved_choice_)].id;
  return CurrentLanguageId(*store_, system_);
}

int LanguageFiles::CurrentIndex() const {
  if (unsaved_choice_) return *unsaved_choice_;
  return CurrentLanguageIndex(*store_, system_);
}

int LanguageFiles::Choose(int position, bool* saved) {
  const int index = ClampLanguageIndex(position);
  const uint32_t id = kLanguages[static_cast<std::size_t>(index)].id;
  const bool stored = store_->WriteDword(platform::kProductKeyPath, "", kLanguageValueName, id);
  // A choice the store did not take still holds for this run, so that
  // every text follows it and not half of them.
  if (stored) {
    unsaved_choice_.reset();
  } else {
    unsaved_choice_ = index;
  }
  if (saved) *saved = stored;
  return index;
}

std::filesystem::path LanguageFiles::CurrentFile() const {
  return LanguageFilePath(dir_, CurrentIndex());
}

std::string LanguageFiles::CurrentFileProblem() const {
  return LanguageFileProblem(CurrentFile());
}

std::string LanguageFiles::Text(std::string_view key) const {
  return LangText(dir_, key, CurrentIndex());
}

std::string LanguageFiles::LightText(std::string_view key) const {
  return LangLightText(dir_, key, CurrentIndex());
}

std::string LanguageFiles::ModeName(int mode) const {
  return LangModeName(dir_, mode, CurrentIndex());
}

}  // namespace quorlin::text
