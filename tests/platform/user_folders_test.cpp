#include "platform/user_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/settings_store.h"
#include "temp_folder.h"

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup FakeEnvironment(std::map<std::string, std::string> vars) {
  return [vars = std::move(vars)](std::string_view name) -> std::optional<std::string> {
    const auto it = vars.find(std::string(name));
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}

struct FolderCase {
  const char* name;
  std::map<std::string, std::string> env;
  const char* config;
  const char* data_home;
};

class UserFoldersTest : public testing::TestWithParam<FolderCase> {};

TEST_P(UserFoldersTest, FollowTheXdgRules) {
  const FolderCase& c = GetParam();
  const UserFolders folders = UserFoldersFrom(FakeEnvironment(c.env));
  EXPECT_EQ(folders.config, fs::path(c.config) / "quorlin");
  EXPECT_EQ(folders.data, fs::path(c.data_home) / "Vantorel  Q742-ZX  MECHANICAL GAMING KEYBOARD");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserFoldersTest,
    testing::Values(
        FolderCase{"HomeOnly", {{"HOME", "/home/u"}}, "/home/u/.config", "/home/u/.local/share"},
        FolderCase{"XdgSet",
                   {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/dat"}},
                   "/cfg",
                   "/dat"},
        FolderCase{"XdgEmpty",
                   {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", ""}},
                   "/home/u/.config",
                   "/home/u/.local/share"},
        FolderCase{"XdgRelativeIsIgnored",
                   {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", "./d"}},
                   "/home/u/.config",
                   "/home/u/.local/share"}),
    [](const testing::TestParamInfo<FolderCase>& p) { return p.param.name; });

TEST(UserFoldersOverrideTest, TestsCanPointEverythingAtATemporaryFolder) {
  TempFolder temp;
  OverrideUserFolders(UserFolders{temp.path() / "config", temp.path() / "data"});
  EXPECT_EQ(CurrentUserFolders().data, temp.path() / "data");
  EXPECT_EQ(SettingsFilePath(), temp.path() / "config" / "settings.ini");
  EXPECT_EQ(UserSettingsStore().file(), temp.path() / "config" / "settings.ini");
  OverrideUserFolders(std::nullopt);
  EXPECT_NE(CurrentUserFolders().data, temp.path() / "data");
}

TEST(ProgramDataDirTest, BesideTheExecutableUnlessInstalled) {
  TempFolder temp;
  const fs::path build_bin = temp.path() / "build" / "bin";
  const fs::path installed_bin = temp.path() / "usr" / "bin";
  fs::create_directories(build_bin);
  fs::create_directories(installed_bin);
  fs::create_directories(temp.path() / "usr" / "share" / "quorlin");
  EXPECT_EQ(FindProgramDataDir(build_bin), build_bin);
  EXPECT_EQ(FindProgramDataDir(installed_bin), temp.path() / "usr" / "share" / "quorlin");
}

TEST(ProgramDataDirTest, OverrideWins) {
  OverrideProgramDataDir(fs::path("/somewhere/data"));
  EXPECT_EQ(ProgramDataDir(), fs::path("/somewhere/data"));
  OverrideProgramDataDir(std::nullopt);
  EXPECT_EQ(ProgramDataDir(), FindProgramDataDir(ExecutableDir()));
}

}  // namespace
}  // namespace quorlin::platform
