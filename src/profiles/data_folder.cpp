#include "profiles/data_folder.h"

#include <cstdint>
#include <system_error>
#include <vector>

namespace quorlin::profiles {
namespace fs = std::filesystem;

std::string HostCopyName(int profile) {
  return "$Profile" + std::to_string(profile);
}

std::string UserSettingsFileName(int number) {
  return "UserDengColor_" + std::to_string(number) + ".userd";
}

bool EnsureDataFolder(const fs::path& folder, const fs::path& default_user_settings,
                      platform::FileWriter& writer) {
  std::error_code ec;
  if (fs::exists(folder, ec)) return true;
  if (!fs::create_directories(folder, ec) && !fs::is_directory(folder, ec)) return false;
  std::vector<uint8_t> settings;
  // A missing or unreadable template gives empty files, which read as defaults.
  if (platform::ReadWholeFile(default_user_settings, &settings, nullptr) !=
      platform::ReadStatus::kOk) {
    settings.clear();
  }
  for (int slot = 0; slot < kHostCopyCount; ++slot) {
    platform::WriteFileAtomically(folder / UserSettingsFileName(slot), settings, nullptr, writer);
  }
  return true;
}

}  // namespace quorlin::profiles
