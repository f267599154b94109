// Several quorlinctl processes on one keyboard and one data folder at once,
// as a user with the GUI open and a script running would have them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/exit_codes.h"
#include "json_parse.h"
#include "lighting/key_colour_table.h"
#include "lighting/lit_keys.h"
#include "lighting/user_lighting_files.h"
#include "platform/temp_folder.h"
#include "platform/user_folders.h"
#include "sim/virtual_keyboard.h"

#if defined(__unix__) || defined(__APPLE__)
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#define QUORLIN_CAN_SPAWN 1
#endif

namespace quorlin::cli {
namespace {

#ifdef QUORLIN_CAN_SPAWN

namespace fs = std::filesystem;

class ParallelRuns : public ::testing::Test {
 protected:
  ParallelRuns() : state((temp.path() / "kb.bin").string()) {
    env_text = {"XDG_CONFIG_HOME=" + (temp.path() / "config").string(),
                "XDG_DATA_HOME=" + (temp.path() / "share").string()};
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      if (entry.rfind("XDG_CONFIG_HOME=", 0) != 0 && entry.rfind("XDG_DATA_HOME=", 0) != 0) {
        env_text.push_back(entry);
      }
    }
    folders =
        platform::UserFoldersFrom([this](std::string_view name) -> std::optional<std::string> {
          const std::string prefix = std::string(name) + "=";
          for (const auto& e : env_text) {
            if (e.rfind(prefix, 0) == 0) return e.substr(prefix.size());
          }
          return std::nullopt;
        });
  }

  // Starts every command at once and waits for all; the exit statuses.
  std::vector<int> RunAll(const std::vector<std::vector<std::string>>& commands) {
    std::vector<char*> env;
    for (auto& e : env_text) env.push_back(e.data());
    env.push_back(nullptr);
    std::vector<pid_t> pids;
    for (const auto& command : commands) {
      std::vector<std::string> words = {QUORLINCTL_PATH, "--lang=en", "--simulate", "--sim-state",
                                        state};
      words.insert(words.end(), command.begin(), command.end());
      std::vector<char*> argv;
      for (auto& w : words) argv.push_back(w.data());
      argv.push_back(nullptr);
      pid_t pid = 0;
      EXPECT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), env.data()), 0);
      pids.push_back(pid);
    }
    std::vector<int> statuses;
    for (const pid_t pid : pids) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      statuses.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    return statuses;
  }

  TempFolder temp;
  std::string state;
  std::vector<std::string> env_text;
  platform::UserFolders folders;
};

TEST_F(ParallelRuns, TenMacroAddsKeepTenMacros) {
  ASSERT_THAT(RunAll({{"info"}}), ::testing::ElementsAre(kExitOk));
  std::vector<std::vector<std::string>> adds;
  for (int i = 0; i < 10; ++i) {
    adds.push_back({"macros", "add", "M" + std::to_string(i), "A:down", "wait:10", "A:up"});
  }
  for (const int status : RunAll(adds)) EXPECT_EQ(status, kExitOk);

  std::ostringstream out, err;
  platform::OverrideUserFolders(folders);
  const int status = RunQuorlinctl(
      {"--lang=en", "--simulate", "--sim-state", state, "--json", "macros"}, out, err);
  platform::OverrideUserFolders(std::nullopt);
  ASSERT_EQ(status, kExitOk) << err.str();
  std::set<std::string> names;
  const auto list = testing::ParseJson(out.str());
  for (std::size_t i = 0; i < list.size(); ++i) names.insert(list[i]["name"].Str());
  EXPECT_EQ(names.size(), 10u) << out.str();
}

TEST_F(ParallelRuns, TwentyColourSetsKeepTwentyColours) {
  ASSERT_THAT(RunAll({{"info"}}), ::testing::ElementsAre(kExitOk));
  std::vector<std::vector<std::string>> sets;
  for (int k = 0; k < 20; ++k) {
    sets.push_back({"colours", "set",
                    "led:" + std::to_string(*lighting::LedOf(k)) + "=#0010" +
                        std::string(1, "0123456789ABCDEF"[k / 16]) +
                        std::string(1, "0123456789ABCDEF"[k % 16])});
  }
  for (const int status : RunAll(sets)) EXPECT_EQ(status, kExitOk);

  std::string why;
  const auto keyboard = sim::VirtualKeyboard::FromFile(state, &why);
  ASSERT_TRUE(keyboard) << why;
  const auto memory = keyboard->Memory();
  const auto paths = lighting::MakeUserLightingPaths(folders.data, QUORLIN_DATA_DIR);
  const auto user_slot = lighting::ReadUserSlot(paths, 0, 0);
  for (int k = 0; k < 20; ++k) {
    const auto at = static_cast<std::size_t>(*lighting::LedOf(k)) * 3;
    const lighting::Rgb want{0x00, 0x10, static_cast<uint8_t>(k)};
    EXPECT_EQ((lighting::Rgb{memory.key_colours[at], memory.key_colours[at + 1],
                             memory.key_colours[at + 2]}),
              want)
        << "keyboard, lit key " << k;
    EXPECT_EQ(user_slot.keys[static_cast<std::size_t>(k)].colour, want)
        << "user file, lit key " << k;
  }
}

#endif

}  // namespace
}  // namespace quorlin::cli
