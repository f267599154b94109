#pragma once
// Where the program finds its own files. Everything is found from the
// program-data folder: beside the executable in a build tree,
// ../share/quorlin when installed.

#include <cstdint>
#include <filesystem>

namespace quorlin::app {

struct AppPaths {
  std::filesystem::path program_dir;   // the program's data folder
  std::filesystem::path help_dir;      // Help pages, and where the updater ships
  std::filesystem::path skin_dir;      // Skins
  std::filesystem::path main_skin;     // Skins/Main.ini
  std::filesystem::path profile_skin;  // Skins/Profile.ini
  std::filesystem::path update_skin;   // Skins/UpdateDlg.ini
  std::filesystem::path composite_skin;
  std::filesystem::path package_dir;  // where the update dialog's chooser starts
  std::filesystem::path companion;    // beside the executable
};

AppPaths MakeAppPaths(const std::filesystem::path& program_data_dir,
                      const std::filesystem::path& executable_dir);

// The help page of a language: Help/<code>/index.html of the language's
// folder when it is there, else the English one, else Help/index.html.
std::filesystem::path HelpPage(const std::filesystem::path& help_dir, uint32_t language_id);

// The companion program's file name on this platform.
std::filesystem::path CompanionFileName();

}  // namespace quorlin::app
