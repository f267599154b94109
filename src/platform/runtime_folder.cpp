#include "platform/runtime_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorlin::platform {
namespace fs = std::filesystem;

namespace {

std::string UserId() {
#ifdef _WIN32
  return "user";
#else
  return std::to_string(::getuid());
#endif
}

struct Override {
  std::mutex mutex;
  std::optional<fs::path> folder;
};

Override& GlobalOverride() {
  static Override o;
  return o;
}

}  // namespace

fs::path TempBase(const EnvironmentLookup& env) {
  if (const auto tmp = env("TMPDIR")) {
    const fs::path dir(*tmp);
    if (dir.is_absolute()) return dir;
  }
  return "/tmp";
}

fs::path FallbackRuntimeFolder(const fs::path& temp) {
  return temp / ("quorlin-" + UserId());
}

#ifdef _WIN32

// The user's own profile folders are private by their access lists.
std::string PrivateFolderProblem(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec) ? std::string() : folder.string() + ": not a folder";
}

std::string MakePrivateFolder(const fs::path& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  return PrivateFolderProblem(folder);
}

#else

std::string PrivateFolderProblem(const fs::path& folder) {
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) return folder.string() + ": " + std::strerror(errno);
  if (!S_ISDIR(st.st_mode)) return folder.string() + ": not a folder (a link or a file is there)";
  if (st.st_uid != ::getuid()) {
    return folder.string() + ": owned by user " + std::to_string(st.st_uid) + ", not by user " +
           UserId();
  }
  if ((st.st_mode & 077) != 0) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    return folder.string() + ": mode " + mode + " lets other users in (0700 is needed)";
  }
  return {};
}

std::string MakePrivateFolder(const fs::path& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return folder.string() + ": cannot create the folder (" + std::strerror(errno) + ")";
  }
  return PrivateFolderProblem(folder);
}

#endif

RuntimeFolder RuntimeFolderFrom(const EnvironmentLookup& env) {
  if (const auto runtime = env("XDG_RUNTIME_DIR")) {
    const fs::path dir(*runtime);
    if (dir.is_absolute() && PrivateFolderProblem(dir).empty()) return {dir, {}};
  }
  const fs::path fallback = FallbackRuntimeFolder(TempBase(env));
  std::string problem = MakePrivateFolder(fallback);
  if (!problem.empty()) return {{}, problem};
  return {fallback, {}};
}

RuntimeFolder ProgramRuntimeFolder() {
  {
    Override& o = GlobalOverride();
    std::lock_guard lock(o.mutex);
    if (o.folder) return {*o.folder, {}};
  }
  static const RuntimeFolder resolved = [] {
    RuntimeFolder base = RuntimeFolderFrom(ProcessEnvironment);
    const std::optional<std::string> xdg = ProcessEnvironment("XDG_RUNTIME_DIR");
    // Inside $XDG_RUNTIME_DIR the program keeps a folder of its own; the
    // temp fallback already is one.
    if (base.path.empty() || !xdg || base.path != fs::path(*xdg)) return base;
    const fs::path own = base.path / std::string(kProgramFolderName);
    if (std::string problem = MakePrivateFolder(own); !problem.empty())
      return RuntimeFolder{{}, problem};
    return RuntimeFolder{own, {}};
  }();
  return resolved;
}

void OverrideProgramRuntimeFolder(std::optional<fs::path> folder) {
  Override& o = GlobalOverride();
  std::lock_guard lock(o.mutex);
  o.folder = std::move(folder);
}

}  // namespace quorlin::platform
