#pragma once
// The user's data folder: the host copies of the three on-board profiles and
// the user lighting settings files. The application chooses the folder (the
// local application-data folder plus the product folder name) and hands it in.

#include <filesystem>
#include <string>

#include "platform/atomic_file.h"

namespace quorlin::profiles {

inline constexpr int kHostCopyCount = 3;
// The number of the shipped default user settings file.
inline constexpr int kDefaultUserSettingsNumber = 3;

// "$Profile" and the on-board profile number; no extension.
std::string HostCopyName(int profile);

// "UserDengColor_" + number + ".userd": the user settings file of a profile
// slot, and with kDefaultUserSettingsNumber the shipped template.
std::string UserSettingsFileName(int number);

// Creates `folder` when it does not exist and gives it copies of
// `default_user_settings` for profile slots 0, 1 and 2 (empty files when the
// template is missing). An existing folder is left alone, even when files
// are missing from it. False when the folder cannot be created.
bool EnsureDataFolder(const std::filesystem::path& folder,
                      const std::filesystem::path& default_user_settings,
                      platform::FileWriter& writer = platform::SystemFileWriter());

}  // namespace quorlin::profiles
