// Profile files on disk: the check a user's file passes before it loads, and
// saves that never leave a damaged file behind.

#include "profiles/profile_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "fake_flow_view.h"
#include "keys/fake_text_source.h"
#include "platform/temp_folder.h"
#include "profile_test_support.h"

namespace quorlin::profiles {
namespace {

namespace fs = std::filesystem;
using testing::DataFile;
using testing::ReadBytes;

class ProfileFileTest : public ::testing::Test {
 protected:
  keys::testing::FakeTextSource texts{{"PROFILE_FORMAT_ERROR", "Bad file %s!"}};
  testing::FakeFlowView view;
  TempFolder folder;
};

TEST_F(ProfileFileTest, CheckAnswersAndReportsAsTheFileDeserves) {
  struct Case {
    const char* file;
    FileCheck result;
    bool reported;
  };
  const Case cases[] = {
      {"minimal.qlf", FileCheck::kLoadable, false},
      {"flag_1.qlf", FileCheck::kLoadable, false},
      {"macros_and_texts.qlf", FileCheck::kLoadable, false},
      {"reserved_and_tag_hold_anything.qlf", FileCheck::kLoadable, false},
      {"no_such_file.qlf", FileCheck::kInvalid, false},
      {"short_32831_bytes.qlf", FileCheck::kInvalid, false},
      {"magic_wrong.qlf", FileCheck::kInvalid, true},
      {"macro_count_101.qlf", FileCheck::kInvalid, true},
      {"flag_2.qlf", FileCheck::kInvalid, true},
      {"checksum_wrong.qlf", FileCheck::kInvalid, true},
      {"truncated_in_macro_record.qlf", FileCheck::kInvalid, true},
      {"truncated_in_pool.qlf", FileCheck::kInvalid, true},
      {"pool_text_offset_outside.qlf", FileCheck::kInvalid, true},
      {"macro_name_unterminated.qlf", FileCheck::kInvalid, true},
  };
  for (const Case& c : cases) {
    view.messages.clear();
    // A copy, since the check opens the file for writing too.
    const fs::path path = folder.path() / c.file;
    if (fs::exists(DataFile(c.file))) fs::copy_file(DataFile(c.file), path);
    EXPECT_EQ(CheckProfileFile(path, texts, view), c.result) << c.file;
    if (c.reported) {
      EXPECT_EQ(view.messages, std::vector<std::string>{"Bad file " + path.string() + "!"})
          << c.file;
    } else {
      EXPECT_TRUE(view.messages.empty()) << c.file;
    }
  }
}

// Makes `path` impossible to open for writing, also for root (who ignores
// the permission bits): false when the file system cannot do that.
bool WriteProtect(const fs::path& path) {
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  if (::geteuid() != 0) return true;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  const bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                  (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
  ::close(fd);
  return ok;
}

void Unprotect(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  int flags = 0;
  if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_IMMUTABLE_FL)) {
    flags &= ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
  }
  ::close(fd);
}

TEST_F(ProfileFileTest, AWriteProtectedBackUpChecksAndLoads) {
  const fs::path path = folder.path() / "kept.qlf";
  fs::copy_file(DataFile("macros_and_texts.qlf"), path);
  struct Guard {
    fs::path path;
    ~Guard() { Unprotect(path); }  // so the folder can be removed
  } guard{path};
  if (!WriteProtect(path)) GTEST_SKIP() << "cannot write-protect a file here";
  EXPECT_EQ(CheckProfileFile(path, texts, view), FileCheck::kLoadable);
  WorkingContents working;
  EXPECT_TRUE(LoadProfileImage(path, working));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ProfileFileTest, WhatCannotBeReadAsAFileIsMinusTwo) {
  const fs::path pipe = folder.path() / "pipe.qlf";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  // The pipe has no writer: opening it to read would wait for ever.
  for (const fs::path& path : {folder.path(), pipe}) {
    EXPECT_EQ(CheckProfileFile(path, texts, view), FileCheck::kCannotOpen) << path;
  }
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ProfileFileTest, TrailingBytesAfterTheDeclaredTotalAreIgnored) {
  std::vector<uint8_t> bytes = ReadBytes(DataFile("macros_and_texts.qlf"));
  bytes.resize(bytes.size() + 100, 0xEE);
  const fs::path path = folder.path() / "longer.qlf";
  testing::WriteBytes(path, bytes);
  EXPECT_EQ(CheckProfileFile(path, texts, view), FileCheck::kLoadable);
  WorkingContents w;
  EXPECT_TRUE(LoadProfileImage(path, w));
  EXPECT_EQ(w.macro_list.size(), 2u);
}

TEST_F(ProfileFileTest, AFailedLoadKeepsTheStore) {
  WorkingContents w;
  ASSERT_TRUE(LoadProfileImage(DataFile("macros_and_texts.qlf"), w));
  for (const char* file : {"no_such_file.qlf", "short_32831_bytes.qlf", "truncated_in_pool.qlf",
                           "pool_text_unterminated.qlf", "macro_event_count_4001.qlf"}) {
    EXPECT_FALSE(LoadProfileImage(DataFile(file), w)) << file;
    EXPECT_EQ(w.macro_list.size(), 2u) << file;
    EXPECT_EQ(w.texts.TotalBytes(), 24u) << file;
  }
}

TEST_F(ProfileFileTest, SavedFilesPassTheCheckAndLoadAsTheyWere) {
  WorkingContents w;
  MakeEmptyProfileImage(0, w);
  w.macro_list = {testing::MacroA(3), testing::MakeMacro("Ünïcode", 7, {}, 9)};
  testing::Action(w, 1, 0x10) = {.kind = keys::KeyActionKind::kMacro, .param = 7};
  testing::Action(w, 2, 0x11) = {.kind = keys::KeyActionKind::kRunProgram};
  w.texts.Set(keys::StoreRecordNumber(2, 0x11), u"/usr/bin/true");

  const fs::path path = folder.path() / "saved.qlf";
  ASSERT_TRUE(SaveProfileImage(w, path));
  ASSERT_EQ(CheckProfileFile(path, texts, view), FileCheck::kLoadable);
  WorkingContents loaded;
  ASSERT_TRUE(LoadProfileImage(path, loaded));
  EXPECT_EQ(loaded.header, w.header);
  EXPECT_EQ(loaded.actions, w.actions);
  EXPECT_EQ(loaded.macro_list, w.macro_list);
  EXPECT_EQ(*loaded.texts.Text(keys::StoreRecordNumber(2, 0x11)), u"/usr/bin/true");
}

TEST_F(ProfileFileTest, AnEmptyFileIsTheMinimalFile) {
  const fs::path path = folder.path() / "new.qlf";
  ASSERT_TRUE(MakeEmptyProfileImage(0, path));
  EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("minimal.qlf")));
  ASSERT_TRUE(MakeEmptyProfileImage(1, path));
  EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("flag_1.qlf")));
}

TEST_F(ProfileFileTest, AWriteThatFailsPartWayLeavesTheOldFileWhole) {
  const fs::path path = folder.path() / "$Profile0";
  fs::copy_file(DataFile("macros_and_texts.qlf"), path);
  const std::vector<uint8_t> old_bytes = ReadBytes(path);

  WorkingContents w;
  MakeEmptyProfileImage(0, w);
  w.macro_list.assign(3, testing::MacroA());
  for (std::size_t limit : {std::size_t{0}, std::size_t{31}, kImageFixedSize, kImageFixedSize + 1,
                            kImageFixedSize + 3 * macros::kMacroRecordSize - 1}) {
    testing::FailingWriter writer(limit);
    EXPECT_FALSE(SaveProfileImage(w, path, writer)) << limit;
    EXPECT_FALSE(MakeEmptyProfileImage(0, path, writer)) << limit;
    EXPECT_EQ(ReadBytes(path), old_bytes) << limit;
    // Nothing half-written stays behind beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
        << limit;
  }
}

TEST_F(ProfileFileTest, SavingUnderTheLockTakesIt) {
  WorkingStore store;
  store.With([](WorkingContents& w) { MakeEmptyProfileImage(0, w); });
  const fs::path path = folder.path() / "locked.qlf";
  ASSERT_TRUE(SaveProfileImage(store, path));
  EXPECT_EQ(ReadBytes(path), ReadBytes(DataFile("minimal.qlf")));
  // The lock was released again.
  EXPECT_TRUE(store.With([](WorkingContents&) { return true; }));
}

}  // namespace
}  // namespace quorlin::profiles
