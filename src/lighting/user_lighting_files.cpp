#include "lighting/user_lighting_files.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "lighting/key_colour_table.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "platform/process_lock.h"
#include "profiles/data_folder.h"

namespace quorlin::lighting {

namespace {

constexpr std::string_view kViewFileName = "wskb.ini";
constexpr std::string_view kViewSection = "KEYCOLOR";
constexpr std::string_view kViewKey = "DengCheck";
constexpr std::string_view kPresentSection = "PRESENTMODE";
constexpr std::string_view kPresentKey = "mode";
constexpr std::string_view kNameSection = "MODENAME";
constexpr std::string_view kToolKey = "tool";
constexpr std::string_view kBaseColourKey = "jcolor";
constexpr std::string_view kPaintColourKey = "color";
constexpr std::string_view kDefaultName = "0";
constexpr std::string_view kDefaultColour = "0,0,0";

std::string SlotSection(int user_slot) {
  return "Mode" + std::to_string(user_slot);
}

// The file as it stands, or an empty one when it is missing or unreadable.
platform::IniFile LoadOrEmpty(const std::filesystem::path& file) {
  platform::IniFile ini;
  if (platform::IniFile::Load(file, &ini, nullptr) != platform::ReadStatus::kOk) return {};
  return ini;
}

// Loads, edits and saves a file in one go. A file that exists but cannot be
// read is left alone rather than replaced by the few keys being written.
// The folder lock keeps another program's edit of the same file from being
// overwritten between the load and the save.
template <typename Edit>
bool EditFile(const std::filesystem::path& file, Edit edit) {
  const platform::DataFolderLock lock(file.parent_path());
  platform::IniFile ini;
  if (platform::IniFile::Load(file, &ini, nullptr) == platform::ReadStatus::kFailed) return false;
  edit(ini);
  return ini.Save(file, nullptr);
}

Rgb ReadColour(const platform::IniFile& ini, std::string_view section, std::string_view key) {
  return ParseColour(ini.GetString(section, key, kDefaultColour)).value_or(kBlack);
}

PaintTool ReadTool(const platform::IniFile& ini, std::string_view section) {
  const auto v = ParseLeadingInt(ini.GetString(section, kToolKey, "0"));
  return v == 1 ? PaintTool::kBaseBrush : PaintTool::kBrush;
}

}  // namespace

UserLightingPaths MakeUserLightingPaths(const std::filesystem::path& data_folder,
                                        const std::filesystem::path& program_data_dir) {
  return UserLightingPaths{data_folder, program_data_dir / kDefaultUserFileName};
}

std::filesystem::path ViewSettingsFile(const UserLightingPaths& paths) {
  return paths.data_folder / kViewFileName;
}

std::filesystem::path UserSettingsFile(const UserLightingPaths& paths, int profile_slot) {
  return paths.data_folder / ("UserDengColor_" + std::to_string(profile_slot) + ".userd");
}

bool ReadViewFlag(const UserLightingPaths& paths) {
  const std::string v =
      platform::ReadProfileString(ViewSettingsFile(paths), kViewSection, kViewKey, "0");
  return ParseLeadingInt(v) == 1;
}

bool WriteViewFlag(const UserLightingPaths& paths, bool open) {
  return platform::WriteProfileString(ViewSettingsFile(paths), kViewSection, kViewKey,
                                      open ? "1" : "0", nullptr);
}

namespace {

bool HasSlotSection(const platform::IniFile& ini, int user_slot) {
  const std::string section = SlotSection(user_slot);
  const auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) ==
                    std::tolower(static_cast<unsigned char>(y));
           });
  };
  for (const platform::IniEntry& e : ini.Entries()) {
    if (e.in_section && same(e.section, section)) return true;
  }
  return false;
}

}  // namespace

int ReadPresentSlot(const UserLightingPaths& paths, int profile_slot, int slot_count) {
  const platform::IniFile ini = LoadOrEmpty(UserSettingsFile(paths, profile_slot));
  const auto slot = ParseLeadingInt(ini.GetString(kPresentSection, kPresentKey, "0"));
  if (!slot || *slot < 0) return 0;
  if (*slot < slot_count) return *slot;
  // A slot picked from the longer list a keyboard reset offers stays the
  // present one while the file still holds it; falling back to 0 would
  // write slot 0's colours over the keyboard's.
  if (*slot < kResetUserSlotCount && HasSlotSection(ini, *slot)) return *slot;
  return 0;
}

bool SavePresentSlot(const UserLightingPaths& paths, int profile_slot, int user_slot) {
  return platform::WriteProfileString(UserSettingsFile(paths, profile_slot), kPresentSection,
                                      kPresentKey, std::to_string(user_slot), nullptr);
}

std::vector<std::string> ReadSlotNames(const UserLightingPaths& paths, int profile_slot,
                                       int count) {
  const platform::IniFile ini = LoadOrEmpty(UserSettingsFile(paths, profile_slot));
  std::vector<std::string> names;
  for (int s = 0; s < count; ++s) {
    names.push_back(ini.GetString(kNameSection, std::to_string(s), kDefaultName));
  }
  return names;
}

bool SaveSlotName(const UserLightingPaths& paths, int profile_slot, int user_slot,
                  std::string_view name) {
  return platform::WriteProfileString(UserSettingsFile(paths, profile_slot), kNameSection,
                                      std::to_string(user_slot), name, nullptr);
}

UserSlot ReadUserSlot(const UserLightingPaths& paths, int profile_slot, int user_slot) {
  const platform::IniFile ini = LoadOrEmpty(UserSettingsFile(paths, profile_slot));
  const std::string section = SlotSection(user_slot);
  UserSlot slot;
  slot.settings.tool = ReadTool(ini, section);
  slot.settings.base_colour = ReadColour(ini, section, kBaseColourKey);
  slot.settings.paint_colour = ReadColour(ini, section, kPaintColourKey);
  const auto& leds = LitKeyLeds();
  for (std::size_t k = 0; k < leds.size(); ++k) {
    const auto found = ini.Find(section, std::to_string(leds[k]));
    slot.keys[k] = found ? ParseKeyEntry(*found).value_or(kDefaultKeyEntry) : kDefaultKeyEntry;
  }
  return slot;
}

bool SaveSlotSettings(const UserLightingPaths& paths, int profile_slot, int user_slot,
                      const UserSlotSettings& settings) {
  const std::string section = SlotSection(user_slot);
  return EditFile(UserSettingsFile(paths, profile_slot), [&](platform::IniFile& ini) {
    ini.SetString(section, kToolKey, settings.tool == PaintTool::kBaseBrush ? "1" : "0");
    ini.SetString(section, kBaseColourKey, FormatColour(settings.base_colour));
    ini.SetString(section, kPaintColourKey, FormatColour(settings.paint_colour));
  });
}

bool SaveKeyEntries(const UserLightingPaths& paths, int profile_slot, int user_slot,
                    std::span<const LitKeyEntry> entries) {
  const std::string section = SlotSection(user_slot);
  return EditFile(UserSettingsFile(paths, profile_slot), [&](platform::IniFile& ini) {
    for (const LitKeyEntry& e : entries) {
      const auto led = LedOf(e.lit_key);
      if (led) ini.SetString(section, std::to_string(*led), FormatKeyEntry(e.entry));
    }
  });
}

bool CopyDefaultUserFile(const UserLightingPaths& paths, int profile_slot) {
  std::vector<uint8_t> bytes;
  if (platform::ReadWholeFile(paths.default_file, &bytes, nullptr) != platform::ReadStatus::kOk) {
    bytes.clear();
  }
  return platform::WriteFileAtomically(UserSettingsFile(paths, profile_slot), bytes, nullptr);
}

bool PrepareDataFolderOnFirstRun(const UserLightingPaths& paths) {
  std::error_code ec;
  if (std::filesystem::exists(paths.data_folder, ec) || ec) return false;
  // The profile store fills the same new folder; one routine does it for both.
  return profiles::EnsureDataFolder(paths.data_folder, paths.default_file);
}

}  // namespace quorlin::lighting
