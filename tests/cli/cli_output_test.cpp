// What quorlinctl prints: JSON for every command and error, stable fields
// beside the localised ones, lines in one language, honest reports.

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "cli/cli_texts.h"
#include "cli/key_function_text.h"
#include "cli_test_support.h"
#include "json_parse.h"
#include "platform/ini_file.h"
#include "text/language.h"

namespace quorlin::cli::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

std::filesystem::path FindInData(const fs::path& root, const std::string& name) {
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.path().filename() == name) return e.path();
  }
  return {};
}

TEST_F(CliTest, EveryCommandPrintsJsonUnderJson) {
  const std::vector<std::vector<std::string>> commands = {
      {"info"},    {"devices"},       {"firmware"},
      {"profile"}, {"lighting"},      {"keys"},
      {"macros"},  {"keys", "names"}, {"lighting", "set", "brightness=2"},
  };
  for (const auto& c : commands) {
    auto args = c;
    args.insert(args.begin(), "--json");
    const auto r = Run(args);
    EXPECT_EQ(r.status, kExitOk) << c.front() << r.err;
    EXPECT_NO_THROW(ParseJson(r.out)) << c.front() << ": " << r.out;
  }
  // Help too: a script that asks for it under --json can parse the answer.
  for (const std::vector<std::string>& help :
       {std::vector<std::string>{"--json", "--help"}, {"--json", "keys", "--help"}}) {
    const auto r = Run(help);
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_THAT(ParseJson(r.out)["help"].Str(), HasSubstr("quorlinctl")) << r.out;
  }
  const Json done = ParseJson(Run({"--json", "lighting", "set", "--profile", "2", "speed=1"}).out);
  EXPECT_EQ(done["command"].Str(), "lighting set");
  EXPECT_EQ(done["result"].Str(), "ok");
}

TEST_F(CliTest, ErrorsUnderJsonAreOneObjectWithTheStatus) {
  const std::vector<std::vector<std::string>> commands = {
      {"check", (temp.path() / "absent.qlf").string()},
      {"frobnicate"},
      {"info", "extra"},
      {"lighting", "set", "brightness=9"},
      {"keys", "set", "A", "media:nothing"},
  };
  for (const auto& c : commands) {
    auto args = c;
    args.insert(args.begin(), "--json");
    const auto r = Run(args);
    EXPECT_NE(r.status, kExitOk) << c.front();
    EXPECT_TRUE(r.out.empty()) << r.out;
    const Json j = ParseJson(r.err);
    EXPECT_EQ(j["status"].Int(), r.status) << r.err;
    EXPECT_FALSE(j["error"].Str().empty());
  }
}

// Scripts read kind, param and action whatever the language; the text is
// the key editor's description.
TEST_F(CliTest, KeyFunctionsHaveStableFieldsAndTheEditorsText) {
  ASSERT_EQ(Run({"macros", "add", "Ärger", "A:down", "A:up"}).status, kExitOk);
  const struct {
    std::string key, action, kind, param, text;
  } cases[] = {
      {"B", "macro:ärger", "macro", "Ärger", "B: changed (macro: Ärger)"},
      {"C", "disabled", "disabled", "", "C: changed (disabled)"},
      {"D", "stop-macro", "stop-macro", "", "D: changed (stop macro)"},
      {"E", "mouse:left", "mouse", "left", "E: changed (mouse: Left button)"},
      {"F", "media:volume-up", "media", "volume-up", "F: changed (multimedia: Volume up)"},
      {"H", "key:Esc", "key", "Esc", "H: changed (key: Esc)"},
  };
  for (const auto& c : cases) ASSERT_EQ(Run({"keys", "set", c.key, c.action}).status, kExitOk);
  ASSERT_EQ(Run({"keys", "set", "G", "function:3"}).status, kExitOk);

  const Json english = ParseJson(Run({"--json", "keys"}).out)["keys"];
  const Json german = ParseJson(Run({"--json", "--lang", "0x0407", "keys"}).out)["keys"];
  std::map<std::string, std::size_t> row;
  for (std::size_t i = 0; i < english.size(); ++i) row[english[i]["key"].Str()] = i;
  for (const auto& c : cases) {
    const Json& e = english[row.at(c.key)];
    const Json& g = german[row.at(c.key)];
    EXPECT_EQ(e["kind"].Str(), c.kind);
    EXPECT_EQ(e["param"].Str(), c.param);
    EXPECT_EQ(e["text"].Str(), c.text);
    EXPECT_EQ(g["key"].Str(), c.key);
    EXPECT_EQ(g["kind"].Str(), c.kind);
    EXPECT_EQ(g["param"].Str(), c.param);
    EXPECT_EQ(g["action"].Str(), e["action"].Str());
  }
  EXPECT_EQ(english[row.at("G")]["param"].Int(), 3);
  EXPECT_EQ(english[row.at("G")]["action"].Str(), "function:3");
  // What is printed as the action sets the same function again.
  const std::string action = english[row.at("F")]["action"].Str();
  ASSERT_EQ(Run({"keys", "set", "J", action}).status, kExitOk);
  const Json again = ParseJson(Run({"--json", "keys"}).out)["keys"];
  EXPECT_EQ(again[row.at("J")]["action"].Str(), action);
}

TEST_F(CliTest, LightingModeNameIsStableAndEveryWritableFieldWritesBack) {
  ASSERT_EQ(Run({"lighting", "set", "mode=6"}).status, kExitOk);
  const Json g = ParseJson(Run({"--json", "--lang", "0x0407", "lighting"}).out);
  EXPECT_EQ(g["mode_name"].Str(), "Static");
  EXPECT_NE(g["mode_text"].Str(), "Static");

  const Json j = ParseJson(Run({"--json", "lighting"}).out);
  std::set<std::string> kept;
  for (std::size_t i = 0; i < j["read_only"].size(); ++i) kept.insert(j["read_only"][i].Str());
  for (const char* field : {"mode", "brightness", "speed", "direction", "colourful", "colour",
                            "report-rate", "swatch"}) {
    const Json& v = j[field];
    const std::string value =
        std::holds_alternative<std::string>(v.value) ? v.Str() : std::to_string(v.Int());
    EXPECT_EQ(Run({"lighting", "set", std::string(field) + "=" + value}).status, kExitOk)
        << field << "=" << value;
  }
  for (const auto& field : kept) {
    const auto r = Run({"lighting", "set", field + "=1"});
    EXPECT_EQ(r.status, kExitBadArguments);
    EXPECT_THAT(r.err, HasSubstr("kept by the keyboard")) << field;
    EXPECT_THAT(Run({"lighting"}).out, HasSubstr("kept by the keyboard"));
  }
  EXPECT_EQ(kept.size(), 4u);
}

// The keyboard took the change but the data folder did not: both are said,
// the file and the system's reason named, status 1.
TEST_F(CliTest, AFileNotWrittenIsReportedBesideTheKeyboardsPart) {
  ASSERT_EQ(Run({"colours", "set", "A=#000001"}).status, kExitOk);  // prepares the folder
  ASSERT_EQ(Run({"keys", "set", "A", "key:B"}).status, kExitOk);
  ASSERT_EQ(Run({"lighting", "set", "brightness=1"}).status, kExitOk);  // not the default
  const struct {
    std::string file;
    std::vector<std::string> args;
  } cases[] = {
      {"$Profile0", {"keys", "set", "A", "key:C"}},
      {"$Profile0", {"keys", "set", "--profile", "2", "A", "key:D"}},  // not the active one
      {"UserDengColor_0.userd", {"--yes", "lighting", "defaults"}},
  };
  for (const auto& c : cases) {
    const fs::path path = FindInData(temp.path() / "data", c.file);
    ASSERT_FALSE(path.empty()) << c.file;
    fs::remove(path);
    fs::create_directory(path);  // a folder where the file should be
    const auto before = keyboard->Memory();
    const auto r = Run(c.args);
    EXPECT_EQ(r.status, kExitFailure) << c.file;
    EXPECT_THAT(r.out, HasSubstr(": ok,"));
    EXPECT_THAT(r.err, HasSubstr(c.file));
    EXPECT_THAT(r.err, HasSubstr("Is a directory"));
    EXPECT_NE(keyboard->Memory(), before) << "the keyboard part was done";
  }
}

// Per-key colours live in the user lighting file: a keyboard given colours
// the file does not hold would get the file's back at the window's next
// reload. So the file goes first, and when it cannot be written nothing is
// sent.
TEST_F(CliTest, ColoursThatCannotBeKeptInTheFileAreNotSent) {
  ASSERT_EQ(Run({"colours", "set", "A=#000001"}).status, kExitOk);  // prepares the folder
  const fs::path path = FindInData(temp.path() / "data", "UserDengColor_0.userd");
  ASSERT_FALSE(path.empty());
  fs::remove(path);
  fs::create_directory(path);  // a folder where the file should be
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"colours", "set", "A=#00FF00"}, {"colours", "fill", "#0000FF"}}) {
    const auto before = keyboard->Memory();
    backend.ClearReceivedFrames();
    const auto r = Run(args);
    EXPECT_EQ(r.status, kExitFailure) << args[1];
    EXPECT_THAT(r.err, HasSubstr("UserDengColor_0.userd"));
    EXPECT_THAT(r.err, HasSubstr("Is a directory"));
    EXPECT_THAT(r.err, HasSubstr("nothing was sent"));
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Writes().empty()) << args[1];
    EXPECT_EQ(keyboard->Memory(), before) << args[1];
  }
}

TEST_F(CliTest, TheFrameCountIsEveryFrameTheTraceShows) {
  const auto r = Run({"--trace", "keys", "set", "A", "key:B"});
  ASSERT_EQ(r.status, kExitOk);
  std::size_t sent = 0;
  std::istringstream lines(r.err);
  for (std::string line; std::getline(lines, line);) sent += line.rfind("> ", 0) == 0;
  EXPECT_EQ(r.out, "key set: ok, " + std::to_string(sent) + " frames sent\n");
}

TEST_F(CliTest, InfoSaysHowManyKeysTheListingHas) {
  const Json info = ParseJson(Run({"--json", "info"}).out);
  const Json keys = ParseJson(Run({"--json", "keys"}).out)["keys"];
  EXPECT_EQ(info["assignable_keys"].Int(), static_cast<int64_t>(keys.size()));
  EXPECT_EQ(info["matrix_positions"].Int(), 128);
  EXPECT_THAT(Run({"info"}).out, HasSubstr(std::to_string(keys.size()) + " ("));
}

// Program and text keys carry their text only on the host; a bare
// "changed" hid which program a key starts. The line gets a one-line cut,
// scripts the whole text.
TEST_F(CliTest, ProgramAndTextKeysShowTheirText) {
  GlobalOptions options;
  std::ostringstream out, err;
  CliContext ctx{options, backend, out, err};
  const CliTexts texts(0x0409);
  ctx.texts = &texts;
  const std::u16string long_path =
      u"/opt/some/very/long/folder/name/that/goes/on/and/on/bin/editor";
  const std::u16string text = u"Dear Sir,\r\n\r\nthank you for your letter of the fifth of May.";
  const struct {
    keys::KeyActionKind kind;
    std::u16string value;
    const char* kind_name;
    const char* line;
    const char* param;
  } cases[] = {
      {keys::KeyActionKind::kRunProgram, u"/usr/bin/gedit", "program",
       "A: changed (program: /usr/bin/gedit)", "/usr/bin/gedit"},
      {keys::KeyActionKind::kRunProgram, long_path, "program",
       "A: changed (program: /opt/some/very/\u2026e/that/goes/on/and/on/bin/editor)",
       "/opt/some/very/long/folder/name/that/goes/on/and/on/bin/editor"},
      {keys::KeyActionKind::kTextBlock, text, "text",
       "A: changed (text: Dear Sir, thank you for your letter of the fift\u2026)",
       "Dear Sir,\r\n\r\nthank you for your letter of the fifth of May."},
      {keys::KeyActionKind::kTextBlock, u"\U0001F600 ok", "text",
       "A: changed (text: \U0001F600 ok)", "\U0001F600 ok"},
  };
  for (const auto& c : cases) {
    const auto f = DescribeFunction(ctx, "A", {.kind = c.kind}, nullptr, &c.value);
    EXPECT_EQ(f.kind, c.kind_name);
    EXPECT_EQ(f.text, c.line);
    EXPECT_EQ(std::get<std::string>(f.param), c.param);
    EXPECT_EQ(f.action, c.kind_name) << "keys set takes no such ACTION back";
  }
  // A cut never splits a character made of two UTF-16 units.
  std::u16string faces;
  for (int i = 0; i < 30; ++i) faces += u"\U0001F600";
  EXPECT_EQ(OneLineText(faces, 10, false), "\U0001F600\U0001F600\U0001F600\U0001F600\u2026");
  EXPECT_EQ(OneLineText(faces, 10, true), "\U0001F600\u2026\U0001F600\U0001F600\U0001F600");
}

// Each line in one language: the German run of an error says nothing the
// English run says, and no text is missing.
TEST_F(CliTest, LinesAreInTheChosenLanguage) {
  const std::vector<std::vector<std::string>> commands = {
      {"check", (temp.path() / "absent.qlf").string()},
      {"lighting", "set", "glow=1"},
      {"keys", "set", "A", "key:A", "extra"},
      {"macros", "add", "X", "A:down", "wait:50000"},
      {"info"},
      {"lighting", "set", "brightness=1"},
  };
  for (const auto& c : commands) {
    auto de = c;
    de.insert(de.begin(), {"--lang", "0x0407"});
    const auto english = Run(c);
    const auto german = Run(de);
    const std::string e = english.out + english.err, g = german.out + german.err;
    EXPECT_NE(e, g) << c.front();
    EXPECT_THAT(g, Not(HasSubstr("#Error")));
    EXPECT_THAT(g, Not(HasSubstr("CLI_")));
  }

  // Reasons from the layers below used to stay English inside the German
  // line; each must now be German there.
  const std::string junk = (temp.path() / "junk.bin").string();
  std::ofstream(junk) << "not a memory file";
  std::ostringstream out, err;
  ASSERT_NE(
      RunQuorlinctl({"--lang", "0x0407", "--simulate", "--sim-state", junk, "info"}, out, err),
      kExitOk);
  EXPECT_THAT(err.str(), HasSubstr("keine Speicherdatei einer simulierten Tastatur"));
  EXPECT_THAT(err.str(), Not(HasSubstr("not a simulated keyboard")));

  // A lock file that cannot be made: the lock folder is a file.
  fs::remove_all(temp.path() / "run" / "locks");
  fs::create_directories(temp.path() / "run");
  std::ofstream(temp.path() / "run" / "locks") << "in the way";
  const auto locked = Run({"--lang", "0x0407", "keys"});
  EXPECT_EQ(locked.status, kExitFailure);
  EXPECT_THAT(locked.err, HasSubstr("die Sperrdatei"));
  EXPECT_THAT(locked.err, Not(HasSubstr("cannot open lock file")));
}

// Named placeholders let a translation reorder them; each language must
// carry the same names or a value would go missing.
TEST(CliLanguageFilesTest, CliTextsHaveTheSamePlaceholdersInEveryLanguage) {
  const auto names = [](const std::string& value) {
    std::multiset<std::string> found;
    for (std::size_t open = value.find('{'); open != std::string::npos;
         open = value.find('{', open + 1)) {
      const auto close = value.find('}', open);
      if (close != std::string::npos) found.insert(value.substr(open + 1, close - open - 1));
    }
    return found;
  };
  std::map<std::string, std::map<std::string, std::multiset<std::string>>> by_key;
  for (const auto& language : text::kLanguages) {
    platform::IniFile ini;
    ASSERT_EQ(platform::IniFile::Load(fs::path(QUORLIN_DATA_DIR) / std::string(language.file_name),
                                      &ini, nullptr),
              platform::ReadStatus::kOk);
    for (const auto& e : ini.Entries()) {
      if (e.key.rfind("CLI_", 0) == 0)
        by_key[e.key][std::string(language.file_name)] = names(e.value);
    }
  }
  EXPECT_GT(by_key.size(), 100u);
  for (const auto& [key, files] : by_key) {
    ASSERT_EQ(files.size(), text::kLanguages.size()) << key;
    for (const auto& [file, found] : files)
      EXPECT_EQ(found, files.begin()->second) << key << " in " << file;
  }
}

}  // namespace
}  // namespace quorlin::cli::testing
