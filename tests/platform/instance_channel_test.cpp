// What the instance channel and the saves trust: only folders, sockets and
// temporary files of this user.

#include "platform/instance_channel.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "foreign_user.h"
#include "platform/atomic_file.h"
#include "platform/runtime_folder.h"
#include "temp_folder.h"

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;
using quorlin::testing::CanActAsAnotherUser;
using quorlin::testing::kNobody;
using quorlin::testing::PlantedSocket;

// The runtime folder `dir`, and a temporary folder of the test's own for
// the fallback (the real /tmp one may be in use by a running program).
EnvironmentLookup RuntimeDir(const fs::path& dir, const fs::path& tmp) {
  return [dir, tmp](std::string_view name) -> std::optional<std::string> {
    if (name == "XDG_RUNTIME_DIR") return dir.string();
    if (name == "TMPDIR") return tmp.string();
    return std::nullopt;
  };
}

void MakeMode(const fs::path& p, mode_t mode) {
  ASSERT_EQ(::chmod(p.c_str(), mode), 0);
}

TEST(PrivateFolder, OnlyARealFolderOfThisUserWithNoAccessForOthersIsUsed) {
  TempFolder temp;
  const fs::path made = temp.path() / "made";
  EXPECT_EQ(MakePrivateFolder(made), "");
  EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all);

  const struct {
    std::string name;
    std::function<void(const fs::path&)> make;
    std::string said;
  } refused[] = {
      {"open",
       [](const fs::path& p) {
         fs::create_directory(p);
         MakeMode(p, 0755);
       },
       "mode 0755"},
      {"shared",
       [](const fs::path& p) {
         fs::create_directory(p);
         MakeMode(p, 01777);
       },
       "mode 1777"},
      {"link", [&](const fs::path& p) { fs::create_directory_symlink(made, p); }, "not a folder"},
      {"file", [](const fs::path& p) { std::ofstream(p) << "x"; }, "not a folder"},
  };
  for (const auto& r : refused) {
    const fs::path p = temp.path() / r.name;
    r.make(p);
    const std::string problem = MakePrivateFolder(p);
    EXPECT_NE(problem.find(r.said), std::string::npos) << r.name << ": " << problem;
    EXPECT_NE(problem.find(p.string()), std::string::npos) << r.name;
  }
  if (CanActAsAnotherUser()) {
    const fs::path theirs = temp.path() / "theirs";
    fs::create_directory(theirs);
    MakeMode(theirs, 0700);
    ASSERT_EQ(::chown(theirs.c_str(), kNobody, kNobody), 0);
    EXPECT_NE(MakePrivateFolder(theirs).find("owned by user 65534"), std::string::npos);
  }
}

TEST(InstanceSocket, LivesInAPrivateRuntimeFolderAndFitsASocketAddress) {
  TempFolder temp;
  const fs::path runtime = temp.path() / "run";
  fs::create_directory(runtime);
  MakeMode(runtime, 0700);
  const InstanceSocket normal = InstanceSocketFrom(RuntimeDir(runtime, temp.path()));
  EXPECT_EQ(normal.path.parent_path(), runtime);

  // A runtime folder others may write is not used: the private fallback is.
  MakeMode(runtime, 0777);
  const InstanceSocket open = InstanceSocketFrom(RuntimeDir(runtime, temp.path()));
  ASSERT_FALSE(open.path.empty()) << open.error;
  EXPECT_EQ(open.path.parent_path(), FallbackRuntimeFolder(temp.path()));
  EXPECT_EQ(PrivateFolderProblem(open.path.parent_path()), "");
  // A fallback folder someone else made first is refused, not used.
  MakeMode(open.path.parent_path(), 0777);
  const InstanceSocket refused = InstanceSocketFrom(RuntimeDir(runtime, temp.path()));
  EXPECT_TRUE(refused.path.empty());
  EXPECT_NE(refused.error.find("mode 0777"), std::string::npos) << refused.error;
  MakeMode(open.path.parent_path(), 0700);

  // A runtime folder so deep that the socket's path would not fit.
  fs::path deep = temp.path();
  while (deep.string().size() < 125) deep /= "deeper-folder";
  fs::create_directories(deep);
  MakeMode(deep, 0700);
  const InstanceSocket moved = InstanceSocketFrom(RuntimeDir(deep, temp.path()));
  ASSERT_FALSE(moved.path.empty()) << moved.error;
  EXPECT_LE(moved.path.string().size(), LongestSocketPath());
  EXPECT_EQ(PrivateFolderProblem(moved.path.parent_path()), "");
  EXPECT_NE(moved.path.filename().string().find(std::to_string(::getuid())), std::string::npos);
}

// A socket another user made under the expected name gets nothing and is
// never taken for this user's window, listening or dead.
TEST(InstanceSocket, ASocketOfAnotherUserGetsNoRequest) {
  if (!CanActAsAnotherUser()) GTEST_SKIP() << "needs root to run a listener as another user";
  TempFolder temp;
  MakeMode(temp.path(), 01777);  // a shared folder, as /tmp is
  const fs::path socket = temp.path() / "planted.sock";
  for (const std::string_view request : {kRequestOpen, kRequestKill, kRequestReload}) {
    fs::remove(socket);
    PlantedSocket planted(socket, true);
    ASSERT_TRUE(planted.Ready());
    EXPECT_EQ(SendInstanceRequestTo(socket, request, 2000), RequestResult::kNotOurs) << request;
    EXPECT_EQ(planted.Stop(), "") << request;
  }
  // The socket file made ours, the process behind it still theirs: the
  // peer's user id tells.
  fs::remove(socket);
  PlantedSocket planted(socket, true);
  ASSERT_TRUE(planted.Ready());
  ASSERT_EQ(::chown(socket.c_str(), ::getuid(), ::getgid()), 0);
  EXPECT_EQ(SendInstanceRequestTo(socket, kRequestKill, 2000), RequestResult::kNotOurs);
  EXPECT_EQ(planted.Stop(), "");

  fs::remove(socket);
  PlantedSocket dead(socket, false);
  ASSERT_TRUE(dead.Ready());
  EXPECT_EQ(SendInstanceRequestTo(socket, kRequestKill, 2000), RequestResult::kNotOurs);
}

// What a kill during a save leaves: only this program's own temporary
// names, of this user, old enough not to be a save running now, go.
TEST(StaleTempFiles, OnlyOldTemporaryFilesOfThisProgramAndUserAreRemoved) {
  TempFolder temp;
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
  const struct {
    std::string name;
    bool aged;
    bool removed;
  } files[] = {
      {".settings.ini.tmp-0123456789abcdef", true, true},
      {".$Profile0.tmp-fedcba9876543210", true, true},
      {".settings.ini.tmp-0123456789abcdef0", true, false},  // one digit too many
      {".settings.ini.tmp-0123456789ABCDEF", true, false},   // not our digits
      {".settings.ini.tmp-0123456789abcde", true, false},    // one too few
      {"settings.ini.tmp-0123456789abcdef", true, false},    // not hidden
      {".tmp-0123456789abcdef", true, false},                // no target name
      {".settings.ini.tmp-0123456789abcdef.bak", true, false},
      {".young.ini.tmp-0123456789abcdef", false, false},  // a save under way
      {"settings.ini", true, false},
  };
  for (const auto& f : files) {
    std::ofstream(temp.path() / f.name) << "x";
    if (f.aged) fs::last_write_time(temp.path() / f.name, old);
  }
  // A link and a folder with the name are not files of a save.
  fs::create_directory(temp.path() / ".dir.tmp-0123456789abcdef");
  fs::last_write_time(temp.path() / ".dir.tmp-0123456789abcdef", old);
  fs::create_symlink(temp.path() / "settings.ini", temp.path() / ".link.tmp-0123456789abcdef");
  int expected = 0;
  for (const auto& f : files) expected += f.removed;
  if (CanActAsAnotherUser()) {
    const fs::path theirs = temp.path() / ".theirs.ini.tmp-0123456789abcdef";
    std::ofstream(theirs) << "x";
    fs::last_write_time(theirs, old);
    ASSERT_EQ(::chown(theirs.c_str(), kNobody, kNobody), 0);
  }

  EXPECT_EQ(RemoveStaleTempFiles(temp.path()), expected);
  for (const auto& f : files) {
    EXPECT_EQ(fs::exists(temp.path() / f.name), !f.removed) << f.name;
  }
  EXPECT_TRUE(fs::exists(temp.path() / ".dir.tmp-0123456789abcdef"));
  EXPECT_TRUE(fs::is_symlink(temp.path() / ".link.tmp-0123456789abcdef"));
  if (CanActAsAnotherUser()) {
    EXPECT_TRUE(fs::exists(temp.path() / ".theirs.ini.tmp-0123456789abcdef"));
  }
  EXPECT_EQ(RemoveStaleTempFiles(temp.path() / "no such folder"), 0);
}

}  // namespace
}  // namespace quorlin::platform
