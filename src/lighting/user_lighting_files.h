#pragma once
// The files in the user's data folder that keep what the keyboard cannot
// give back: whether the lighting view was open, and per profile slot the
// user-mode slots with their names, tools, colours and per-key colours.
// Missing files, keys and unreadable values all read as their defaults;
// writes that fail (a missing folder) are dropped without a message.

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lighting/lit_keys.h"
#include "lighting/panel_state.h"
#include "lighting/user_settings_format.h"

namespace quorlin::lighting {

inline constexpr std::string_view kDefaultUserFileName = "UserDengColor_3.userd";
// Three user-mode slots per profile slot; the list offers ten after the
// keyboard was reset.
inline constexpr int kUserSlotCount = 3;
inline constexpr int kResetUserSlotCount = 10;

struct UserLightingPaths {
  std::filesystem::path data_folder;
  std::filesystem::path default_file;  // shipped with the program, never written
};

// The default file is looked for in the program's data folder.
UserLightingPaths MakeUserLightingPaths(const std::filesystem::path& data_folder,
                                        const std::filesystem::path& program_data_dir);

std::filesystem::path ViewSettingsFile(const UserLightingPaths& paths);
std::filesystem::path UserSettingsFile(const UserLightingPaths& paths, int profile_slot);

// Lighting view flag.
bool ReadViewFlag(const UserLightingPaths& paths);
bool WriteViewFlag(const UserLightingPaths& paths, bool open);

// The present user-mode slot of a profile slot: the stored value when it
// is below `slot_count`, or below ten with its "Mode" section in the file;
// otherwise 0.
int ReadPresentSlot(const UserLightingPaths& paths, int profile_slot, int slot_count);
bool SavePresentSlot(const UserLightingPaths& paths, int profile_slot, int user_slot);

// Names of user-mode slots 0..count-1.
std::vector<std::string> ReadSlotNames(const UserLightingPaths& paths, int profile_slot, int count);
bool SaveSlotName(const UserLightingPaths& paths, int profile_slot, int user_slot,
                  std::string_view name);

struct UserSlotSettings {
  PaintTool tool = PaintTool::kBrush;
  Rgb base_colour{};
  Rgb paint_colour{};

  friend bool operator==(const UserSlotSettings&, const UserSlotSettings&) = default;
};

struct UserSlot {
  UserSlotSettings settings;
  std::array<KeyEntry, kLitKeyCount> keys{};  // by lit key
};

// An entry missing or unreadable reads as red with the base-colour mark.
inline constexpr KeyEntry kDefaultKeyEntry{Rgb{255, 0, 0}, true};

UserSlot ReadUserSlot(const UserLightingPaths& paths, int profile_slot, int user_slot);
bool SaveSlotSettings(const UserLightingPaths& paths, int profile_slot, int user_slot,
                      const UserSlotSettings& settings);

struct LitKeyEntry {
  int lit_key = 0;
  KeyEntry entry;
};
// Several entries in one rewrite of the file.
bool SaveKeyEntries(const UserLightingPaths& paths, int profile_slot, int user_slot,
                    std::span<const LitKeyEntry> entries);

// Replaces a profile slot's file with the default file (an empty file when
// the default is missing).
bool CopyDefaultUserFile(const UserLightingPaths& paths, int profile_slot);

// First run: when the data folder does not exist, creates it and gives each
// profile slot a copy of the default file. An existing folder is left as it
// is, even with files missing. True when it created the folder.
bool PrepareDataFolderOnFirstRun(const UserLightingPaths& paths);

}  // namespace quorlin::lighting
