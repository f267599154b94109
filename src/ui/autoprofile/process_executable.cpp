#include "ui/autoprofile/process_executable.h"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quorlin::ui {

std::string ExecutableOfProcess(long pid) {
  if (pid <= 0) return {};
  std::error_code ec;
  const std::filesystem::path proc = std::filesystem::path("/proc") / std::to_string(pid);
  std::filesystem::path target = std::filesystem::read_symlink(proc / "exe", ec);
  // An ended process, another user's, or a kernel thread: nothing to name.
  if (ec || target.empty()) return {};
  std::string name = target.filename().string();
  constexpr std::string_view kDeleted = " (deleted)";
  if (name.ends_with(kDeleted)) name.resize(name.size() - kDeleted.size());
  return name;
}

bool IsOwnProcess(long pid) {
#ifdef _WIN32
  (void)pid;
  return false;
#else
  return pid > 0 && pid == static_cast<long>(getpid());
#endif
}

}  // namespace quorlin::ui
