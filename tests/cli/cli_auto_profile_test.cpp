#include <fstream>
#include <sstream>

#include "cli_test_support.h"
#include "json_parse.h"

namespace quorlin::cli::testing {
namespace {

class AutoProfileCli : public CliTest {};

TEST_F(AutoProfileCli, AddChangeRemoveListAndNothingSentToTheKeyboard) {
  EXPECT_EQ(Run({"auto-profile"}).out,
            "Automatic profiles: on\nFallback: none (the profile stays)\nNo rules.\n");
  struct Step {
    std::vector<std::string> args;
    int status;
    std::string out;
  };
  const Step steps[] = {
      {{"auto-profile", "add", "firefox", "2"}, kExitOk, "rule added: firefox -> profile 2\n"},
      {{"auto-profile", "add", "eldenring.exe", "3"}, kExitOk, ""},
      {{"auto-profile", "add", "FIREFOX", "1"}, kExitOk, "rule changed: FIREFOX -> profile 1\n"},
      {{"auto-profile", "fallback", "3"}, kExitOk, "fallback set: 3\n"},
      {{"auto-profile", "off"}, kExitOk, "automatic profiles switched off\n"},
      {{"auto-profile", "remove", "eldenring.exe"}, kExitOk, "rule removed: eldenring.exe\n"},
  };
  for (const Step& step : steps) {
    const CliRun r = Run(step.args);
    EXPECT_EQ(r.status, step.status) << step.args[1] << r.err;
    if (!step.out.empty()) {
      EXPECT_EQ(r.out, step.out);
    }
  }
  EXPECT_EQ(Run({"auto-profile", "list"}).out,
            "Automatic profiles: off\nFallback: profile 3\n  firefox -> profile 1\n");
  EXPECT_TRUE(backend.ReceivedFrames().empty()) << "rules are settings, not keyboard memory";

  const Json j = ParseJson(Run({"--json", "auto-profile", "on"}).out);
  EXPECT_EQ(j["command"].Str(), "auto-profile on");
  EXPECT_TRUE(j["enabled"].Bool());
  EXPECT_EQ(j["fallback"].Int(), 3);
  ASSERT_EQ(j["rules"].size(), 1u);
  EXPECT_EQ(j["rules"][0]["app"].Str(), "firefox");
  EXPECT_EQ(j["rules"][0]["profile"].Int(), 1);
  const Json none = ParseJson(Run({"--json", "auto-profile", "fallback", "none"}).out);
  EXPECT_TRUE(std::holds_alternative<std::nullptr_t>(none["fallback"].value));
}

TEST_F(AutoProfileCli, BadInputChangesNothing) {
  ASSERT_EQ(Run({"auto-profile", "add", "firefox", "2"}).status, kExitOk);
  const auto file = platform::SettingsFilePath();
  std::ifstream in(file);
  std::stringstream before;
  before << in.rdbuf();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"auto-profile", "add", "game", "4"}, kExitBadArguments, "'4' is not a profile number 1..3"},
      {{"auto-profile", "add", "", "1"}, kExitBadArguments, "the application name is empty"},
      {{"auto-profile", "add", "a\tb", "1"}, kExitBadArguments, "control character"},
      {{"auto-profile", "add", "game"}, kExitBadArguments, "expected nothing, 'list'"},
      {{"auto-profile", "fallback", "0"}, kExitBadArguments, "nor 'none'"},
      {{"auto-profile", "remove", "steam"}, kExitFailure, "there is no rule for 'steam'"},
      {{"auto-profile", "maybe"}, kExitBadArguments, "expected nothing"},
      {{"auto-profile", "on", "now"}, kExitBadArguments, "expected nothing"},
  };
  for (const Case& c : cases) {
    const CliRun r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[1];
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
  std::ifstream again(file);
  std::stringstream after;
  after << again.rdbuf();
  EXPECT_EQ(after.str(), before.str());
}

TEST_F(AutoProfileCli, SpeaksTheChosenLanguage) {
  EXPECT_EQ(Run({"--lang=0x0407", "auto-profile", "add", "firefox", "2"}).out,
            "Regel hinzugefügt: firefox -> Profil 2\n");
  EXPECT_EQ(Run({"--lang=0x0416", "auto-profile", "remove", "firefox"}).out,
            "regra removida: firefox\n");
}

}  // namespace
}  // namespace quorlin::cli::testing
