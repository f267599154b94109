// Paths that are not files, folders the program cannot write, language
// files that cannot be read and file names that are not UTF-8: each run
// ends at once with the real cause named.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/json_writer.h"
#include "cli_test_support.h"
#include "json_parse.h"

namespace quorlin::cli::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

CliRun RunWhole(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunQuorlinctl(args, out, err);
  return {status, out.str(), err.str()};
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Every command that takes a file, over every kind of path that is not a
// file it can use: the refusal names the cause, never "no reason given",
// and the keyboard is left as it was.
TEST_F(CliTest, PathsThatAreNotFilesAreRefusedWithTheirCause) {
  const fs::path fifo = temp.path() / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path long_name = temp.path() / std::string(256, 'n');
  const struct {
    std::string path;
    std::string read_cause;   // check, restore
    std::string write_cause;  // backup, export
  } paths[] = {
      {fifo.string(), "not a regular file", "not a regular file"},
      {"/dev/zero", "not a regular file", "not a regular file"},
      {"/dev/null", "not a regular file", "not a regular file"},
      {long_name.string(), "File name too long", "File name too long"},
      // The kernel's view of memory: no file can be created beside it.
      {"/proc/self/mem", "too short for a profile file",
       "no new file can be created in the folder /proc/self"},
  };
  int tried = 0;
  for (const auto& p : paths) {
    for (const std::string command : {"check", "restore", "backup", "export"}) {
      const auto before = keyboard->Memory();
      const auto r = Run({command, p.path});
      ++tried;
      const bool reads = command == "check" || command == "restore";
      EXPECT_NE(r.status, kExitOk) << command << " " << p.path;
      EXPECT_THAT(r.err, HasSubstr(reads ? p.read_cause : p.write_cause))
          << command << " " << p.path;
      EXPECT_THAT(r.err, Not(HasSubstr("no reason given"))) << command << " " << p.path;
      EXPECT_EQ(keyboard->Memory(), before) << command << " " << p.path;
    }
  }
  EXPECT_EQ(tried, 20);
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo) << "the FIFO was left as it is";
}

// The simulated keyboard's memory in a FIFO would block the open for ever
// with the keyboard's lock held.
TEST_F(CliTest, ASimulatedKeyboardInAFifoIsRefusedAtOnce) {
  const fs::path fifo = temp.path() / "kb.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo.string(), std::string("/dev/zero")}) {
    const auto r = RunWhole({"--lang=en", "--simulate", "--sim-state", path, "info"});
    EXPECT_EQ(r.status, kExitFailure) << path;
    EXPECT_THAT(r.err, HasSubstr(path + ": not a regular file"));
  }
}

// Read-only commands take their locks in the runtime folder, so a config
// folder that cannot be written does not stop them; a lock that cannot be
// made is said to be that, not a busy keyboard.
TEST_F(CliTest, LocksNeedOnlyTheRuntimeFolder) {
  std::ofstream(temp.path() / "config") << "a file where the config folder should be";
  const auto info = RunWhole({"--lang=en", "--simulate", "info"});
  EXPECT_EQ(info.status, kExitOk) << info.err;

  fs::create_directories(temp.path() / "run");
  std::ofstream(temp.path() / "run" / "locks") << "in the way";
  const auto locked = RunWhole({"--lang=en", "--simulate", "keys"});
  EXPECT_EQ(locked.status, kExitFailure);
  EXPECT_THAT(locked.err, HasSubstr("lock file"));
  EXPECT_THAT(locked.err, HasSubstr("cannot be created"));
  EXPECT_THAT(locked.err, HasSubstr("Not a directory"));
  EXPECT_THAT(locked.err, Not(HasSubstr("busy")));
}

// A language file that cannot serve any text is named once, with its path
// and why, and the command does not run; one that lacks a key still runs.
TEST_F(CliTest, ALanguageFileThatCannotBeReadIsNamedOnce) {
  const fs::path data = temp.path() / "lang";
  const fs::path file = data / "Lang0409.ini";
  const struct {
    std::string name;
    std::function<void()> make;
    std::string cause;
  } cases[] = {
      {"missing", [] {}, "no such file"},
      {"empty", [&] { std::ofstream(file).flush(); }, "empty"},
      {"garbage", [&] { std::ofstream(file) << "\x01\x02\xff garbage = ="; }, "no [TEXT] section"},
      {"folder", [&] { fs::create_directory(file); }, "a folder"},
      {"fifo", [&] { ::mkfifo(file.c_str(), 0600); }, "not a regular file"},
  };
  platform::OverrideProgramDataDir(data);
  for (const auto& c : cases) {
    fs::remove_all(data);
    fs::create_directories(data);
    c.make();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--lang=en", "--simulate", "info"},
          {"--lang=en", "--simulate", "--json", "keys"}}) {
      const auto r = RunWhole(args);
      EXPECT_EQ(r.status, kExitFailure) << c.name;
      EXPECT_EQ(r.out, "") << c.name;
      EXPECT_EQ(Count(r.err, file.string()), 1u) << c.name << ": " << r.err;
      EXPECT_THAT(r.err, HasSubstr(c.cause)) << c.name;
      EXPECT_THAT(r.err, Not(HasSubstr("CLI_"))) << c.name;
    }
  }
  fs::remove_all(data);
  fs::create_directories(data);
  std::ofstream(file) << "[TEXT]\nSOMETHING=else\n";
  EXPECT_EQ(RunWhole({"--lang=en", "--simulate", "info"}).status, kExitOk);
  EXPECT_EQ(RunWhole({"--lang=en", "--simulate", "--help"}).status, kExitOk);
}

// File names are bytes; JSON is UTF-8. What is not UTF-8 comes out as
// U+FFFD, so a strict decoder takes every answer.
TEST_F(CliTest, JsonStaysValidForFileNamesThatAreNotUtf8) {
  const std::string names[] = {
      "\xff\xfe.qlf",          // not UTF-8 at all
      "caf\xe9.qlf",           // Latin-1
      "\xc0\x80.qlf",          // an overlong zero
      "\xed\xa0\x80.qlf",      // a surrogate
      "\xf4\x90\x80\x80.qlf",  // above U+10FFFF
      "cut\xe2\x82.qlf",       // a sequence cut short
      "ok-\xc3\xa9.qlf",       // well-formed: kept
  };
  int decoded = 0;
  for (const std::string& name : names) {
    const fs::path file = temp.path() / name;
    const auto backup = Run({"--json", "backup", file.string()});
    ASSERT_EQ(backup.status, kExitOk) << backup.err;
    const auto check = Run({"--json", "check", file.string()});
    const auto missing = Run({"--json", "check", (temp.path() / ("no-" + name)).string()});
    for (const std::string& text : {backup.out, check.out, missing.err}) {
      EXPECT_NO_THROW(ParseJson(text)) << text;
      ++decoded;
    }
    EXPECT_EQ(ParseJson(check.out)["loadable"].Bool(), true);
  }
  EXPECT_EQ(decoded, 21);
  EXPECT_EQ(JsonEscape("ok-\xc3\xa9"), "ok-\xc3\xa9");
  EXPECT_EQ(JsonEscape("a\xff"
                       "b"),
            "a\xef\xbf\xbd"
            "b");
}

// A disk that is nearly full: a save that needs more than is left fails,
// and the line gives the system's reason, not "no reason given".
TEST_F(CliTest, AFullDiskIsNamedAsSuch) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount a small file system";
  const fs::path disk = temp.path() / "disk";
  fs::create_directories(disk);
  const std::string mount = "mount -t tmpfs -o size=1m tmpfs '" + disk.string() + "'";
  if (std::system(mount.c_str()) != 0) GTEST_SKIP() << "cannot mount a tmpfs here";
  struct Unmount {
    fs::path at;
    ~Unmount() { [[maybe_unused]] int r = std::system(("umount '" + at.string() + "'").c_str()); }
  } unmount{disk};
  platform::OverrideUserFolders(platform::UserFolders{temp.path() / "config", disk / "data"});
  ASSERT_EQ(Run({"macros", "add", "M0", "A:down", "A:up"}).status, kExitOk);
  ASSERT_EQ(Run({"colours", "set", "A=#000001"}).status, kExitOk);
  // Leave a few KiB: enough for an empty file, not for a save.
  {
    std::ofstream filler(disk / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size())) {
    }
  }
  fs::resize_file(disk / "filler", fs::file_size(disk / "filler") - 4096);
  const std::vector<std::string> commands[] = {
      {"macros", "add", "M1", "A:down", "wait:10", "A:up"},
      {"colours", "set", "A=#00FF00"},
      {"backup", (disk / "backup.qlf").string()},
  };
  for (const auto& args : commands) {
    const auto r = Run(args);
    EXPECT_NE(r.status, kExitOk) << args[0];
    EXPECT_THAT(r.err, HasSubstr("No space left on device")) << args[0] << ": " << r.err;
  }
}

// A save killed half way leaves its temporary file; the next run removes
// it when it is old, and nothing else.
TEST_F(CliTest, ARunRemovesTheTemporaryFilesOfSavesThatWereKilled) {
  const fs::path data = temp.path() / "data";
  fs::create_directories(data);
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(10);
  for (const char* name : {".$Profile0.tmp-0123456789abcdef", ".notes.tmp-partial", "notes.txt"}) {
    std::ofstream(data / name) << "x";
    fs::last_write_time(data / name, old);
  }
  std::ofstream(data / ".young.tmp-0123456789abcdef") << "x";
  EXPECT_EQ(RunWhole({"--lang=en", "--simulate", "info"}).status, kExitOk);
  EXPECT_FALSE(fs::exists(data / ".$Profile0.tmp-0123456789abcdef"));
  EXPECT_TRUE(fs::exists(data / ".notes.tmp-partial"));
  EXPECT_TRUE(fs::exists(data / "notes.txt"));
  EXPECT_TRUE(fs::exists(data / ".young.tmp-0123456789abcdef"));
}

}  // namespace
}  // namespace quorlin::cli::testing
