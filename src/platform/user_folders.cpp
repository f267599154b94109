#include "platform/user_folders.h"

#include <cstdlib>
#include <mutex>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <iterator>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>

#include <vector>
#endif

namespace quorlin::platform {
namespace fs = std::filesystem;
namespace {

struct Overrides {
  std::mutex mutex;
  std::optional<UserFolders> folders;
  std::optional<fs::path> data_dir;
};

Overrides& GlobalOverrides() {
  static Overrides overrides;
  return overrides;
}

// An XDG variable counts only when it holds an absolute path.
std::optional<fs::path> AbsoluteFrom(const EnvironmentLookup& env, std::string_view name) {
  const std::optional<std::string> value = env(name);
  if (!value || value->empty()) return std::nullopt;
  fs::path path(*value);
  if (!path.is_absolute()) return std::nullopt;
  return path;
}

#ifndef _WIN32
fs::path HomeFrom(const EnvironmentLookup& env) {
  const std::optional<std::string> home = env("HOME");
  return home ? fs::path(*home) : fs::path();
}
#endif

}  // namespace

std::optional<std::string> ProcessEnvironment(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

UserFolders UserFoldersFrom(const EnvironmentLookup& env) {
#ifdef _WIN32
  const fs::path local = AbsoluteFrom(env, "LOCALAPPDATA").value_or(fs::path());
  return UserFolders{local / kProgramFolderName, local / kProductFolderName};
#else
  const fs::path home = HomeFrom(env);
  const fs::path config = AbsoluteFrom(env, "XDG_CONFIG_HOME").value_or(home / ".config");
  const fs::path data = AbsoluteFrom(env, "XDG_DATA_HOME").value_or(home / ".local" / "share");
  return UserFolders{config / kProgramFolderName, data / kProductFolderName};
#endif
}

UserFolders CurrentUserFolders() {
  static const UserFolders resolved = UserFoldersFrom(ProcessEnvironment);
  Overrides& overrides = GlobalOverrides();
  std::lock_guard lock(overrides.mutex);
  return overrides.folders.value_or(resolved);
}

void OverrideUserFolders(std::optional<UserFolders> folders) {
  Overrides& overrides = GlobalOverrides();
  std::lock_guard lock(overrides.mutex);
  overrides.folders = std::move(folders);
}

fs::path SettingsFilePath() {
  return CurrentUserFolders().config / kSettingsFileName;
}

fs::path ExecutableDir() {
  std::error_code ec;
#ifdef _WIN32
  wchar_t buffer[32768];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
  if (n > 0 && n < std::size(buffer)) return fs::path(std::wstring(buffer, n)).parent_path();
#elif defined(__APPLE__)
  uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::vector<char> buffer(size + 1, '\0');
  if (_NSGetExecutablePath(buffer.data(), &size) == 0) {
    return fs::weakly_canonical(fs::path(buffer.data()), ec).parent_path();
  }
#else
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return exe.parent_path();
#endif
  return fs::current_path(ec);
}

fs::path FindProgramDataDir(const fs::path& executable_dir) {
  const fs::path installed =
      (executable_dir.parent_path() / "share" / kProgramFolderName).lexically_normal();
  std::error_code ec;
  return fs::is_directory(installed, ec) ? installed : executable_dir;
}

fs::path ProgramDataDir() {
  Overrides& overrides = GlobalOverrides();
  {
    std::lock_guard lock(overrides.mutex);
    if (overrides.data_dir) return *overrides.data_dir;
  }
  static const fs::path found = FindProgramDataDir(ExecutableDir());
  return found;
}

void OverrideProgramDataDir(std::optional<fs::path> dir) {
  Overrides& overrides = GlobalOverrides();
  std::lock_guard lock(overrides.mutex);
  overrides.data_dir = std::move(dir);
}

}  // namespace quorlin::platform
