#pragma once
// The program's registry-like settings: 32-bit values and texts stored under
// a key path (such as the product key) and an optional section below it
// (such as "PROFILES" of the framework settings). Every read goes to the
// store (the INI store rereads its file whenever the file changed), so the
// GUI and the CLI always see the same values.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin::platform {

// The product key, where the language choice lives.
inline constexpr std::string_view kProductKeyPath =
    "Software\\Vantorel  Q742-ZX  MECHANICAL GAMING KEYBOARD";
// The application settings of the program (company key, then the program).
inline constexpr std::string_view kAppSettingsKeyPath = "Software\\Quorlin_Halvane\\Quorlin";
inline constexpr std::string_view kProfilesSection = "PROFILES";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Nothing when the value is missing or is not a 32-bit value.
  virtual std::optional<uint32_t> ReadDword(std::string_view key_path, std::string_view section,
                                            std::string_view name) const = 0;
  virtual bool WriteDword(std::string_view key_path, std::string_view section,
                          std::string_view name, uint32_t value) = 0;
  // Nothing when the value is missing or is not a text.
  virtual std::optional<std::string> ReadText(std::string_view key_path, std::string_view section,
                                              std::string_view name) const = 0;
  virtual bool WriteText(std::string_view key_path, std::string_view section, std::string_view name,
                         std::string_view value) = 0;
};

// The settings kept in one INI file: key path and section together name the
// INI section ("key path\section", or the key path alone for an empty
// section); a 32-bit value is written as "dword:" and eight hex digits, as
// registry exports write them, and a text as it stands (quoted when it could
// be mistaken for anything else). The file and its folder are created on the
// first write; every write replaces the file atomically.
class IniSettingsStore final : public SettingsStore {
 public:
  explicit IniSettingsStore(std::filesystem::path file);

  const std::filesystem::path& file() const { return file_; }

  std::optional<uint32_t> ReadDword(std::string_view key_path, std::string_view section,
                                    std::string_view name) const override;
  bool WriteDword(std::string_view key_path, std::string_view section, std::string_view name,
                  uint32_t value) override;
  std::optional<std::string> ReadText(std::string_view key_path, std::string_view section,
                                      std::string_view name) const override;
  bool WriteText(std::string_view key_path, std::string_view section, std::string_view name,
                 std::string_view value) override;

 private:
  std::optional<std::string> ReadRaw(std::string_view key_path, std::string_view section,
                                     std::string_view name) const;
  bool WriteRaw(std::string_view key_path, std::string_view section, std::string_view name,
                const std::string& raw);

  std::filesystem::path file_;
};

// The store the program uses: the settings file in the user's config folder.
IniSettingsStore UserSettingsStore();

}  // namespace quorlin::platform
