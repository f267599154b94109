#pragma once
// Where the program keeps the user's files and finds its own data. Resolved
// once per process from the environment and shared by the GUI and the CLI,
// so both always use the same settings file and the same host profile
// copies. Tests point everything at a temporary folder with the overrides.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin::platform {

// The product's folder in the user's data folder (the two blanks on each
// side of the model code are part of the name).
inline constexpr std::string_view kProductFolderName =
    "Vantorel  Q742-ZX  MECHANICAL GAMING KEYBOARD";
// The program's own folder name: in the config folder and under share/.
inline constexpr std::string_view kProgramFolderName = "quorlin";
inline constexpr std::string_view kSettingsFileName = "settings.ini";

struct UserFolders {
  std::filesystem::path config;  // $XDG_CONFIG_HOME (else ~/.config) + program folder
  std::filesystem::path data;    // $XDG_DATA_HOME (else ~/.local/share) + product folder
};

// Looks up an environment variable; nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;
std::optional<std::string> ProcessEnvironment(std::string_view name);

// The folders for the given environment. A relative or empty XDG variable
// is ignored, as the XDG rules say. Without HOME the folders are relative
// to the working directory.
UserFolders UserFoldersFrom(const EnvironmentLookup& env);

// The folders of this process: the override when one is set, else resolved
// from the process environment on first use and kept.
UserFolders CurrentUserFolders();
void OverrideUserFolders(std::optional<UserFolders> folders);

// The settings file shared by the GUI and the CLI.
std::filesystem::path SettingsFilePath();

// The folder of the running executable (the working directory when the
// system cannot tell).
std::filesystem::path ExecutableDir();

// The program's data (language files, default lighting file): share/quorlin
// next to the executable's folder in an installed tree, else the
// executable's own folder, where the build tree copies it.
std::filesystem::path FindProgramDataDir(const std::filesystem::path& executable_dir);

// FindProgramDataDir(ExecutableDir()), or the override when one is set.
std::filesystem::path ProgramDataDir();
void OverrideProgramDataDir(std::optional<std::filesystem::path> dir);

}  // namespace quorlin::platform
