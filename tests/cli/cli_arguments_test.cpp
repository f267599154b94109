// Arguments as users type them: misleading or silent answers replaced by
// ones that name the argument, and values the keyboard cannot store refused.

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "cli_test_support.h"
#include "json_parse.h"

namespace quorlin::cli::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(CliTest, ArgumentErrorsNameTheRealFault) {
  const struct {
    std::vector<std::string> args;
    std::string says;
    std::string not_says;
  } cases[] = {
      {{"keys", "set", "A", "key:A", "extra"}, "'extra'", "needs KEY and ACTION"},
      {{"lighting", "--profile", "1", "--profile", "2"}, "--profile is given twice", "subcommand"},
      {{"events", "--count", "99999999999999999999"}, "out of range (1..1000000)", "not a number"},
      {{"events", "--count", "many"}, "not a number", "out of range"},
      {{"info", "extra"}, "takes no arguments", "#"},
      {{"devices", "extra"}, "takes no arguments", "#"},
      {{"firmware", "extra"}, "takes no arguments", "#"},
      {{"events", "extra"}, "takes no arguments ('extra' is one too many)", "not an option"},
      {{"colours", "set"}, "colours: set needs", "set: set"},
      {{"colours", "fill"}, "colours: fill needs", "fill: fill"},
      {{"macros", "add", "X", "A:down", "wait:40950"}, "at most 40000 ms", "#"},
      {{"macros", "add", "X", "A:down", "wait:20000", "wait:20001"}, "at most 40000 ms", "#"},
      {{"macros", "add", std::string(250, 'n'), "A:down"}, "at most 249", "#"},
      {{"macros", "add", "--yes", "A:down", "A:up"}, "'A:down' reads as an event", "#"},
      {{"keys", "--frob"}, "unknown option '--frob'", "#"},
  };
  const auto before = keyboard->Memory();
  for (const auto& c : cases) {
    const auto r = Run(c.args);
    EXPECT_EQ(r.status, kExitBadArguments) << c.args.front() << ' ' << r.err;
    EXPECT_THAT(r.err, HasSubstr(c.says));
    EXPECT_THAT(r.err, Not(HasSubstr(c.not_says)));
  }
  EXPECT_TRUE(Writes().empty());
  EXPECT_EQ(keyboard->Memory(), before);
}

// A regional variant is served by its language's file, as the stored
// language is; only an identifier no file serves is refused.
TEST_F(CliTest, LangTakesRegionalVariantsOfTheSupportedLanguages) {
  const struct {
    std::string lang;
    std::string says;
  } cases[] = {
      {"0x0809", "takes no arguments"},     // English, UK
      {"0C07", "nimmt keine Argumente"},    // German, Austria
      {"0x0816", "não aceita argumentos"},  // Portuguese, Portugal
      {"0x0407", "nimmt keine Argumente"},
  };
  for (const auto& c : cases) {
    const auto r = Run({"--lang", c.lang, "info", "extra"});
    EXPECT_EQ(r.status, kExitBadArguments) << c.lang;
    EXPECT_THAT(r.err, HasSubstr(c.says)) << c.lang;
  }
  for (const std::string refused : {"0x0410", "0x10409", "xx", ""}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunQuorlinctl({"--lang=en", "--lang", refused, "info"}, out, err), kExitBadArguments)
        << refused;
    EXPECT_THAT(err.str(), HasSubstr("is not a supported language")) << refused;
  }
}

// What the keyboard stores is what the user is told.
TEST_F(CliTest, WaitsAddUpAndRoundingIsSaid) {
  const struct {
    std::vector<std::string> events;
    std::string shown;
    std::string note;
  } cases[] = {
      {{"A:down", "wait:20", "wait:30", "A:up"}, "A:down wait:50\nA:up\n", ""},
      {{"A:down", "wait:15", "A:up"}, "A:down wait:10\nA:up\n", "15 ms stored as 10 ms"},
      {{"A:down", "wait:5", "A:up"}, "A:down\nA:up\n", "5 ms stored as 0 ms"},
      {{"A:down", "wait:40000", "A:up"}, "A:down wait:40000\nA:up\n", ""},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string name = "M" + std::to_string(++n);
    std::vector<std::string> args = {"macros", "add", name};
    args.insert(args.end(), c.events.begin(), c.events.end());
    const auto r = Run(args);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    if (!c.note.empty()) {
      EXPECT_THAT(r.err, HasSubstr(c.note));
    }
    EXPECT_EQ(Run({"macros", "show", name}).out, c.shown);
  }
  // A refused add (the name exists) stores nothing, so nothing was rounded.
  const auto refused = Run({"macros", "add", "M2", "A:down", "wait:15", "A:up"});
  EXPECT_EQ(refused.status, kExitBadArguments);
  EXPECT_THAT(refused.err, Not(HasSubstr("stored as")));
}

TEST_F(CliTest, NamesFoldCaseBeyondAsciiAndTakeHyphens) {
  const std::string longest(249, 'x');
  ASSERT_EQ(Run({"macros", "add", "Ärger", "A:down", "A:up"}).status, kExitOk);
  ASSERT_EQ(Run({"macros", "add", longest, "A:down", "A:up"}).status, kExitOk);
  ASSERT_EQ(Run({"macros", "add", "wait", "A:down", "A:up"}).status, kExitOk);  // a name
  const struct {
    std::vector<std::string> args;
  } cases[] = {
      {{"--lang", "0x0407", "keys", "set", "A", "key:RÜCKTASTE"}},
      {{"--lang", "0x0407", "keys", "set", "RÜCKTASTE", "default"}},
      {{"keys", "set", "B", "macro:ÄRGER"}},
      {{"keys", "set", "B", "macro:" + longest}},
      {{"keys", "set", "C", "media:volume-up"}},
      {{"keys", "set", "C", "media:VOLUME_UP"}},
      {{"keys", "set", "D", "key:-"}},
      {{"keys", "set", "D", "key:num -"}},
      {{"macros", "show", "ärger"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.args).status, kExitOk) << c.args.back();
  EXPECT_EQ(Run({"macros", "add", "äRGER", "A:down"}).status, kExitBadArguments);  // exists
}

TEST_F(CliTest, KeyNamesListsWhatKeysSetTakes) {
  const std::string out = Run({"keys", "names"}).out;
  for (const char* name : {"key:Esc\n", "mouse:wheel-up", "media:volume-up", "function:11"}) {
    EXPECT_THAT(out, HasSubstr(name));
  }
  EXPECT_TRUE(backend.ReceivedFrames().empty());  // no keyboard needed
}

TEST_F(CliTest, OptionsEndAtDoubleDash) {
  ASSERT_EQ(Run({"macros", "add", "--", "--yes", "A:down", "A:up"}).status, kExitOk);
  EXPECT_THAT(Run({"macros"}).out, HasSubstr("--yes  id"));
  ASSERT_EQ(Run({"macros", "add", "Later", "A:down", "--yes"}).status, kExitOk);  // still an option
  EXPECT_THAT(Run({"macros", "show", "Later"}).out, "A:down\n");
}

TEST_F(CliTest, UsageAndHelpGoWhereTheyBelong) {
  std::ostringstream out, err;
  EXPECT_EQ(RunQuorlinctl({}, out, err), kExitBadArguments);
  EXPECT_TRUE(out.str().empty());
  EXPECT_THAT(err.str(), HasSubstr("Usage:"));
  std::ostringstream out2, err2;
  EXPECT_EQ(RunQuorlinctl({"--help"}, out2, err2), kExitOk);
  EXPECT_THAT(out2.str(), HasSubstr("Usage:"));
  EXPECT_THAT(out2.str(), HasSubstr("\"error\""));  // the JSON error shape is documented
  EXPECT_THAT(out2.str(), HasSubstr(" -- "));
}

TEST_F(CliTest, ProfileFileFaultsAreNamed) {
  const fs::path short_file = temp.path() / "short.qlf";
  std::ofstream(short_file) << "not a profile";
  fs::create_directory(temp.path() / "folder.qlf");
  const struct {
    fs::path file;
    std::string says;
  } cases[] = {
      {temp.path() / "absent.qlf", "no such file"},
      {short_file, "too short"},
      {temp.path() / "folder.qlf", "a folder"},
  };
  for (const auto& c : cases) {
    const auto r = Run({"check", c.file.string()});
    EXPECT_EQ(r.status, kExitBadFile);
    EXPECT_THAT(r.err, HasSubstr(c.says));
  }
}

TEST_F(CliTest, SimStateIsWrittenOnlyWhenTheMemoryChangedAndMustMatchTheProduct) {
  const auto state = (temp.path() / "kb.bin").string();
  std::ostringstream out, err;
  ASSERT_EQ(RunQuorlinctl({"--simulate", "--sim-state", state, "profile"}, out, err), kExitOk);
  ASSERT_TRUE(fs::exists(state));  // a new file is written
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(state, old);
  ASSERT_EQ(RunQuorlinctl({"--simulate", "--sim-state", state, "lighting"}, out, err), kExitOk);
  EXPECT_EQ(fs::last_write_time(state), old);
  ASSERT_EQ(RunQuorlinctl({"--simulate", "--sim-state", state, "lighting", "set", "brightness=1"},
                          out, err),
            kExitOk);
  EXPECT_NE(fs::last_write_time(state), old);

  std::ostringstream err2;
  EXPECT_EQ(RunQuorlinctl({"--simulate=0x0000", "--sim-state", state, "info"}, out, err2),
            kExitBadArguments);
  EXPECT_THAT(err2.str(), HasSubstr("0x5000"));
  EXPECT_EQ(RunQuorlinctl({"--simulate=0x5000", "--sim-state", state, "info"}, out, err), kExitOk);
}

TEST_F(CliTest, EventsSayTheyAreWaiting) {
  std::atomic<bool> stop{true};
  std::ostringstream out, err;
  Message error;
  const auto options = ParseGlobalOptions({"--lang=en", "events"}, error);
  ASSERT_TRUE(options);
  CliContext ctx{*options, backend, out, err};
  ctx.stop = &stop;
  EXPECT_EQ(RunCommand(ctx), kExitOk);
  EXPECT_THAT(err.str(), HasSubstr("waiting"));
  EXPECT_THAT(err.str(), HasSubstr("Ctrl+C"));
}

}  // namespace
}  // namespace quorlin::cli::testing

namespace quorlin::cli::testing {
namespace {

// A refusal names itself instead of a bare "failed".
TEST(CliCapacityTest, AMacroThatDoesNotFitNamesTheRefusal) {
  TempFolder temp;
  platform::OverrideUserFolders(
      platform::UserFolders{temp.path() / "config", temp.path() / "data"});
  platform::OverrideProgramDataDir(std::filesystem::path(QUORLIN_DATA_DIR));
  sim::VirtualKeyboardOptions o;
  o.macro_capacity_units = 1;  // 128 bytes
  auto keyboard = std::make_shared<sim::VirtualKeyboard>(o);
  sim::SimBackend backend(keyboard);
  Message error;
  std::vector<std::string> args = {"--lang=en", "macros", "add", "Big"};
  for (int i = 0; i < 40; ++i) args.insert(args.end(), {"A:down", "A:up"});
  const auto options = ParseGlobalOptions(args, error);
  std::ostringstream out, err;
  CliContext ctx{*options, backend, out, err};
  EXPECT_EQ(RunCommand(ctx), kExitFailure);
  EXPECT_THAT(err.str(), HasSubstr("nothing written: The macros do not fit"));
  EXPECT_THAT(err.str(), Not(HasSubstr("failed")));
  platform::OverrideUserFolders(std::nullopt);
  platform::OverrideProgramDataDir(std::nullopt);
}

}  // namespace
}  // namespace quorlin::cli::testing
