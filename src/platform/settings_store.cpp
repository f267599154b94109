#include "platform/settings_store.h"

#include <charconv>
#include <cstdio>
#include <system_error>

#include "platform/ini_cache.h"
#include "platform/ini_file.h"
#include "platform/user_folders.h"

namespace quorlin::platform {
namespace {

constexpr std::string_view kDwordPrefix = "dword:";

std::string SectionName(std::string_view key_path, std::string_view section) {
  std::string name(key_path);
  if (!section.empty()) name += "\\" + std::string(section);
  return name;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = s[i] >= 'A' && s[i] <= 'Z' ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsQuoted(std::string_view raw) {
  return raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') &&
         raw.back() == raw.front();
}

// "dword:" and one to eight hex digits; anything else is not a 32-bit value.
std::optional<uint32_t> ParseDword(std::string_view raw) {
  if (!StartsWithNoCase(raw, kDwordPrefix)) return std::nullopt;
  const std::string_view digits = raw.substr(kDwordPrefix.size());
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<std::string> IniSettingsStore::ReadRaw(std::string_view key_path,
                                                     std::string_view section,
                                                     std::string_view name) const {
  const std::shared_ptr<const IniLookupTable> table = SharedIniReadCache().Get(file_);
  if (!table) return std::nullopt;
  const std::string* raw = table->FindRaw(SectionName(key_path, section), name);
  return raw ? std::optional<std::string>(*raw) : std::nullopt;
}

bool IniSettingsStore::WriteRaw(std::string_view key_path, std::string_view section,
                                std::string_view name, const std::string& raw) {
  IniFile ini;
  if (IniFile::Load(file_, &ini, nullptr) == ReadStatus::kFailed) return false;
  if (!ini.SetRaw(SectionName(key_path, section), name, raw)) return false;
  std::error_code ec;
  std::filesystem::create_directories(file_.parent_path(), ec);
  return ini.Save(file_, nullptr);
}

std::optional<uint32_t> IniSettingsStore::ReadDword(std::string_view key_path,
                                                    std::string_view section,
                                                    std::string_view name) const {
  const std::optional<std::string> raw = ReadRaw(key_path, section, name);
  return raw ? ParseDword(*raw) : std::nullopt;
}

bool IniSettingsStore::WriteDword(std::string_view key_path, std::string_view section,
                                  std::string_view name, uint32_t value) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value));
  return WriteRaw(key_path, section, name, std::string(kDwordPrefix) + digits);
}

std::optional<std::string> IniSettingsStore::ReadText(std::string_view key_path,
                                                      std::string_view section,
                                                      std::string_view name) const {
  const std::optional<std::string> raw = ReadRaw(key_path, section, name);
  if (!raw || (!IsQuoted(*raw) && ParseDword(*raw))) return std::nullopt;
  return UnquoteValue(*raw);
}

bool IniSettingsStore::WriteText(std::string_view key_path, std::string_view section,
                                 std::string_view name, std::string_view value) {
  // Quoted when the file would otherwise change it (outer blanks, enclosing
  // quotes) or read it back as a 32-bit value.
  const bool quote = UnquoteValue(value) != value || StartsWithNoCase(value, kDwordPrefix);
  const std::string raw = quote ? "\"" + std::string(value) + "\"" : std::string(value);
  return WriteRaw(key_path, section, name, raw);
}

IniSettingsStore UserSettingsStore() {
  return IniSettingsStore(SettingsFilePath());
}

}  // namespace quorlin::platform
