#pragma once
// The texts quorlinctl prints and the names it accepts: the program's
// language files in the stored language (or the one --lang asks for), and
// English beside them, so names typed in English are always understood.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/settings_store.h"
#include "text/language.h"

namespace quorlin::cli {

// The user's settings, except that the language choice reads as a fixed
// identifier and is never written: --lang changes only this run.
class FixedLanguageStore final : public platform::SettingsStore {
 public:
  FixedLanguageStore(platform::SettingsStore& inner, uint32_t language_id)
      : inner_(inner), id_(language_id) {}

  std::optional<uint32_t> ReadDword(std::string_view key_path, std::string_view section,
                                    std::string_view name) const override;
  bool WriteDword(std::string_view key_path, std::string_view section, std::string_view name,
                  uint32_t value) override;
  std::optional<std::string> ReadText(std::string_view key_path, std::string_view section,
                                      std::string_view name) const override {
    return inner_.ReadText(key_path, section, name);
  }
  bool WriteText(std::string_view key_path, std::string_view section, std::string_view name,
                 std::string_view value) override {
    return inner_.WriteText(key_path, section, name, value);
  }

 private:
  static bool IsLanguage(std::string_view name) { return name == text::kLanguageValueName; }
  platform::SettingsStore& inner_;
  uint32_t id_;
};

class CliTexts {
 public:
  explicit CliTexts(std::optional<uint32_t> language_id);
  CliTexts(const CliTexts&) = delete;
  CliTexts& operator=(const CliTexts&) = delete;

  const text::TextSource& Current() const { return *current_; }
  const text::TextSource& English() const { return english_; }
  // The file of the run's language and why it cannot serve texts ("" when
  // it can).
  std::filesystem::path CurrentFile() const { return chosen_->CurrentFile(); }
  std::string CurrentFileProblem() const { return chosen_->CurrentFileProblem(); }

 private:
  platform::IniSettingsStore settings_;
  std::optional<FixedLanguageStore> chosen_store_;
  FixedLanguageStore english_store_;
  std::optional<text::LanguageFiles> chosen_;
  text::LanguageFiles english_;
  const text::TextSource* current_ = nullptr;
};

}  // namespace quorlin::cli
