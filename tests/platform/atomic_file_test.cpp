#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}

std::string ReadText(const fs::path& path) {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(ReadWholeFile(path, &bytes, nullptr), ReadStatus::kOk);
  return {bytes.begin(), bytes.end()};
}

std::size_t FileCount(const fs::path& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
  return n;
}

// A disk that fills up after `limit` bytes.
class FailingWriter final : public FileWriter {
 public:
  explicit FailingWriter(std::size_t limit) : limit_(limit) {}
  bool WriteNewFile(const fs::path& path, std::span<const uint8_t> bytes,
                    std::string* error) override {
    const std::size_t n = std::min(limit_, bytes.size());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(n));
    if (n == bytes.size()) return true;
    *error = "disk full";
    return false;
  }

 private:
  std::size_t limit_;
};

TEST(AtomicFileTest, CreatesAndReplacesWithoutLeavingTemporaryFiles) {
  TempFolder temp;
  const fs::path target = temp.path() / "settings.ini";
  ASSERT_TRUE(WriteFileAtomically(target, Bytes("first"), nullptr));
  EXPECT_EQ(ReadText(target), "first");
  ASSERT_TRUE(WriteFileAtomically(target, Bytes("second, longer"), nullptr));
  ASSERT_TRUE(WriteFileAtomically(target, Bytes(""), nullptr));
  EXPECT_EQ(ReadText(target), "");
  EXPECT_EQ(FileCount(temp.path()), 1u);
}

class FailedWriteTest : public testing::TestWithParam<std::size_t> {};

TEST_P(FailedWriteTest, LeavesTheOldFileWhole) {
  TempFolder temp;
  const fs::path target = temp.path() / "$Profile0";
  ASSERT_TRUE(WriteFileAtomically(target, Bytes("old contents"), nullptr));
  FailingWriter writer(GetParam());
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(target, Bytes("new contents, never complete"), &error, writer));
  EXPECT_EQ(error, "disk full");
  EXPECT_EQ(ReadText(target), "old contents");
  EXPECT_EQ(FileCount(temp.path()), 1u);
}

INSTANTIATE_TEST_SUITE_P(BytesBeforeFailure, FailedWriteTest, testing::Values(0u, 1u, 12u, 27u));

TEST(AtomicFileTest, FailedFirstWriteCreatesNothing) {
  TempFolder temp;
  FailingWriter writer(3);
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(temp.path() / "new.ini", Bytes("abcdef"), &error, writer));
  EXPECT_EQ(FileCount(temp.path()), 0u);
}

TEST(AtomicFileTest, MissingFolderIsAnError) {
  TempFolder temp;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(temp.path() / "none" / "a.ini", Bytes("x"), &error));
  EXPECT_FALSE(error.empty());
}

TEST(AtomicFileTest, ReplacesTheFileBehindALinkAndKeepsTheLink) {
  TempFolder temp;
  const fs::path real = temp.path() / "real.ini";
  const fs::path link = temp.path() / "link.ini";
  ASSERT_TRUE(WriteFileAtomically(real, Bytes("old"), nullptr));
  fs::create_symlink(real, link);
  ASSERT_TRUE(WriteFileAtomically(link, Bytes("new"), nullptr));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadText(real), "new");
}

// What exists at the target and is no regular file must survive a write
// untouched, also when reached through a link (as root a rename would
// otherwise replace even a device node).
struct NotAFileCase {
  const char* name;
  bool through_link;
  bool folder;  // a folder instead of a pipe
};

class NotAFileTest : public testing::TestWithParam<NotAFileCase> {};

TEST_P(NotAFileTest, IsRefusedAndLeftAlone) {
  const NotAFileCase& c = GetParam();
  TempFolder temp;
  const fs::path thing = temp.path() / "thing";
  if (c.folder) {
    fs::create_directory(thing);
  } else {
    ASSERT_EQ(::mkfifo(thing.c_str(), 0600), 0);
  }
  fs::path target = thing;
  if (c.through_link) {
    target = temp.path() / "link";
    fs::create_symlink(thing, target);
  }
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(target, Bytes("bytes"), &error));
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
  EXPECT_EQ(fs::symlink_status(thing).type(),
            c.folder ? fs::file_type::directory : fs::file_type::fifo);
  EXPECT_EQ(FileCount(temp.path()), c.through_link ? 2u : 1u) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(Targets, NotAFileTest,
                         testing::Values(NotAFileCase{"Pipe", false, false},
                                         NotAFileCase{"PipeBehindALink", true, false},
                                         NotAFileCase{"Folder", false, true}),
                         [](const testing::TestParamInfo<NotAFileCase>& p) {
                           return p.param.name;
                         });

TEST(AtomicFileTest, KeepsThePermissionsOfTheReplacedFile) {
  TempFolder temp;
  const fs::path target = temp.path() / "private.ini";
  ASSERT_TRUE(WriteFileAtomically(target, Bytes("a"), nullptr));
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomically(target, Bytes("b"), nullptr));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST(ReadWholeFileTest, TellsMissingFromUnreadable) {
  TempFolder temp;
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_EQ(ReadWholeFile(temp.path() / "none", &bytes, &error), ReadStatus::kMissing);
  EXPECT_EQ(ReadWholeFile(temp.path(), &bytes, &error), ReadStatus::kFailed);
  const fs::path big = temp.path() / "big";
  ASSERT_TRUE(WriteFileAtomically(big, Bytes("0123456789"), nullptr));
  EXPECT_EQ(ReadWholeFile(big, &bytes, &error, 9), ReadStatus::kFailed);
  EXPECT_EQ(ReadWholeFile(big, &bytes, &error, 10), ReadStatus::kOk);
  EXPECT_EQ(bytes.size(), 10u);
}

}  // namespace
}  // namespace quorlin::platform
