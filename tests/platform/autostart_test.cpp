#include "platform/autostart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "temp_folder.h"

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string LineStarting(const std::string& text, const std::string& prefix) {
  const size_t at = text.find("\n" + prefix);
  if (at == std::string::npos) return {};
  const size_t end = text.find('\n', at + 1);
  return text.substr(at + 1 + prefix.size(), end - at - 1 - prefix.size());
}

TEST(AutostartTest, EntrySitsInTheXdgAutostartFolder) {
  const auto env = [](std::map<std::string, std::string> vars) {
    return [vars](std::string_view name) -> std::optional<std::string> {
      const auto it = vars.find(std::string(name));
      return it == vars.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
  };
  EXPECT_EQ(AutostartEntryPath(env({{"HOME", "/home/u"}})),
            fs::path("/home/u/.config/autostart/quorlin.desktop"));
  EXPECT_EQ(AutostartEntryPath(env({{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}})),
            fs::path("/cfg/autostart/quorlin.desktop"));
}

struct ExecCase {
  const char* program;
  const char* exec;  // the Exec value as it must stand in the file
};

class AutostartExecTest : public testing::TestWithParam<ExecCase> {};

// A launcher splits Exec on blanks and expands % codes; a path that is not
// quoted and escaped right starts nothing, or something else.
TEST_P(AutostartExecTest, ProgramPathSurvivesTheLauncher) {
  const std::optional<std::string> text = AutostartEntryText(GetParam().program);
  ASSERT_TRUE(text);
  EXPECT_EQ(LineStarting(*text, "Exec="), GetParam().exec);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AutostartExecTest,
    testing::Values(ExecCase{"/usr/bin/quorlin", "/usr/bin/quorlin /Start"},
                    ExecCase{"/opt/my apps/quorlin", "\"/opt/my apps/quorlin\" /Start"},
                    ExecCase{"/opt/100%/quorlin", "/opt/100%%/quorlin /Start"},
                    ExecCase{"/opt/a\"b$c/quorlin", "\"/opt/a\\\\\"b\\\\$c/quorlin\" /Start"},
                    ExecCase{"/opt/a\\b/quorlin", "\"/opt/a\\\\\\\\b/quorlin\" /Start"}));

TEST(AutostartTest, PathWithALineBreakIsRefusedAndNothingWritten) {
  TempFolder temp;
  const fs::path entry = temp.path() / "autostart" / "quorlin.desktop";
  EXPECT_FALSE(AutostartEntryText("/opt/a\nX-Evil=1/quorlin"));
  std::string error;
  EXPECT_FALSE(SetStartAtLoginAt(entry, true, "/opt/a\nb/quorlin", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(fs::exists(entry));
}

TEST(AutostartTest, SwitchOnThenOff) {
  TempFolder temp;
  const fs::path entry = temp.path() / "config" / "autostart" / "quorlin.desktop";
  EXPECT_FALSE(StartAtLoginAt(entry));
  // Switching off what is not there is not a failure.
  EXPECT_TRUE(SetStartAtLoginAt(entry, false, "/usr/bin/quorlin", nullptr));

  ASSERT_TRUE(SetStartAtLoginAt(entry, true, "/usr/bin/quorlin", nullptr));
  EXPECT_TRUE(StartAtLoginAt(entry));
  const std::string text = ReadText(entry);
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_EQ(LineStarting(text, "Type="), "Application");
  EXPECT_EQ(LineStarting(text, "TryExec="), "/usr/bin/quorlin");
  // Written through a temporary file: nothing else is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(entry.parent_path()), {}), 1);

  ASSERT_TRUE(SetStartAtLoginAt(entry, false, "/usr/bin/quorlin", nullptr));
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_TRUE(fs::exists(entry.parent_path()));
}

struct ReadCase {
  const char* name;
  const char* text;
  bool on;
};

class AutostartReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(AutostartReadTest, OnlyOurEnabledEntryCounts) {
  TempFolder temp;
  const fs::path entry = temp.path() / "quorlin.desktop";
  WriteText(entry, GetParam().text);
  EXPECT_EQ(StartAtLoginAt(entry), GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, AutostartReadTest,
    testing::Values(
        ReadCase{"Ours", "[Desktop Entry]\nExec=quorlin /Start\nX-Quorlin-Autostart=true\n", true},
        ReadCase{"CrLf", "[Desktop Entry]\r\nX-Quorlin-Autostart=true\r\n", true},
        // The desktop's own settings dialog switches an entry off this way.
        ReadCase{"Hidden", "[Desktop Entry]\nX-Quorlin-Autostart=true\nHidden=true\n", false},
        ReadCase{"GnomeOff",
                 "[Desktop Entry]\nX-Quorlin-Autostart=true\nX-GNOME-Autostart-enabled=false\n",
                 false},
        ReadCase{"NotOurs", "[Desktop Entry]\nExec=something-else\n", false},
        ReadCase{"MarkerInOtherGroup", "[Desktop Action x]\nX-Quorlin-Autostart=true\n", false},
        ReadCase{"Empty", "", false}),
    [](const testing::TestParamInfo<ReadCase>& p) { return p.param.name; });

TEST(AutostartTest, ProcessEntryFollowsTheUserFolders) {
  TempFolder temp;
  OverrideUserFolders(UserFolders{temp.path() / "cfg" / "quorlin", temp.path() / "data"});
  const fs::path entry = temp.path() / "cfg" / "autostart" / "quorlin.desktop";
#if defined(_WIN32) || defined(__APPLE__)
  EXPECT_FALSE(SetStartAtLogin(true));
  EXPECT_FALSE(StartAtLogin());
#else
  EXPECT_FALSE(StartAtLogin());
  ASSERT_TRUE(SetStartAtLogin(true));
  EXPECT_TRUE(fs::exists(entry));
  EXPECT_TRUE(StartAtLogin());
  EXPECT_EQ(LineStarting(ReadText(entry), "Exec="),
            (ExecutableDir() / "quorlin").string() + " /Start");
  ASSERT_TRUE(SetStartAtLogin(false));
  EXPECT_FALSE(StartAtLogin());
#endif
  OverrideUserFolders(std::nullopt);
}

}  // namespace
}  // namespace quorlin::platform
