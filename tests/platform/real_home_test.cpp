// Tests must never write into the home of whoever runs them: the lock files
// that the INI and user lighting file writes take live in the user's config
// folder, which every test program points at a temporary folder.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ini_file.h"
#include "platform/process_lock.h"
#include "temp_folder.h"

#if defined(__unix__) || defined(__APPLE__)
#include <pwd.h>
#include <unistd.h>

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;

// The account's home as the system knows it, whatever HOME says.
fs::path AccountHome() {
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? fs::path(entry->pw_dir) : fs::path();
}

bool Inside(const fs::path& path, const fs::path& folder) {
  const fs::path relative = fs::weakly_canonical(path).lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

TEST(RealHome, AnIniWriteWithoutOverriddenFoldersLocksOutsideIt) {
  const fs::path home = fs::weakly_canonical(AccountHome());
  if (home.empty() || home == home.root_path()) GTEST_SKIP() << "no home of its own";
  TempFolder temp;
  const fs::path file = temp.path() / "wskb.ini";
  ASSERT_TRUE(WriteProfileString(file, "View", "Shown", "1", nullptr));
  const fs::path lock = DataFolderLockFile(temp.path());
  EXPECT_TRUE(fs::exists(lock)) << lock;
  EXPECT_FALSE(Inside(lock, home)) << lock;
}

}  // namespace
}  // namespace quorlin::platform
#endif
