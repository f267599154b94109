// The profile image bytes: header, string pool, whole images against the
// files in tests/data/profiles (written by an independent generator).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile_test_support.h"
#include "profiles/profile_header.h"
#include "profiles/profile_image.h"
#include "profiles/string_pool.h"

namespace quorlin::profiles {
namespace {

using keys::KeyActionKind;
using testing::Action;
using testing::DataFile;
using testing::ReadBytes;

std::vector<uint8_t> Encode(WorkingContents& w) {
  std::vector<uint8_t> image;
  EXPECT_EQ(EncodeProfileImage(w, image), ImageFault::kNone);
  return image;
}

TEST(ProfileHeader, ChecksumWrapsAt256) {
  std::array<uint8_t, kProfileHeaderSize> header{};
  WriteProfileHeader(header, 0, 0, 0);  // bytes 0..30 add up to 0x176
  header[20] = 0x7D;                    // now 0x1F3
  EXPECT_EQ(HeaderChecksum(header), 0xF3);
}

TEST(ProfileHeader, WritesEveryFieldAndZeroesTheReservedBytes) {
  std::array<uint8_t, kProfileHeaderSize> header;
  header.fill(0xFF);
  WriteProfileHeader(header, 2, 24, 0);
  const std::array<uint8_t, kProfileHeaderSize> expected{
      0x46, 0x44, 0x20, 0x00, 0x03, 0x00, 0x01, 0x00,        // magic, size, profiles, version
      0x58, 0x7E, 0x01, 0x00,                                // total 32832 + 2 x 32512 + 24
      0x00, 0x08, 0x02, 0x00,                                // 2048 Key actions, 2 macros
      0x18, 0x00, 0x00, 0x00,                                // pool 24
      0,    0,    0,    0,    0,    0,    0,    0,    0, 0,  // reserved
      0x00, 0xA7};                                           // flag, checksum
  EXPECT_EQ(header, expected);
}

TEST(StringPool, PacksTextsInRecordOrder) {
  WorkingContents w;
  Action(w, 2, 9) = {.kind = KeyActionKind::kTextBlock, .param = 0x55};
  Action(w, 0, 5) = {.kind = KeyActionKind::kRunProgram, .param = 0x77};
  w.texts.Set(keys::StoreRecordNumber(2, 9), u"hi");
  w.texts.Set(keys::StoreRecordNumber(0, 5), u"C:\\a.exe");

  const std::vector<uint8_t> pool = PackStringPool(w.actions, w.texts);
  std::vector<uint8_t> expected;
  for (char16_t c : std::u16string(u"C:\\a.exe\0hi\0", 12)) {
    expected.push_back(static_cast<uint8_t>(c));
    expected.push_back(0);
  }
  EXPECT_EQ(pool, expected);
  EXPECT_EQ(pool.size(), 24u);
  EXPECT_EQ(Action(w, 0, 5).param, 0u);
  EXPECT_EQ(Action(w, 2, 9).param, 18u);
}

TEST(StringPool, TextsOfOtherKindsLeaveZerosAndATextlessOwnerGetsAnEmptyText) {
  WorkingContents w;
  Action(w, 0, 1) = {.kind = KeyActionKind::kSingleKey, .param = testing::kKeyA};
  w.texts.Set(keys::StoreRecordNumber(0, 1), u"stale");                  // 12 bytes no one packs
  Action(w, 0, 2) = {.kind = KeyActionKind::kRunProgram, .param = 999};  // no text
  Action(w, 0, 3) = {.kind = KeyActionKind::kTextBlock};
  w.texts.Set(keys::StoreRecordNumber(0, 3), u"x");

  const std::vector<uint8_t> pool = PackStringPool(w.actions, w.texts);
  std::vector<uint8_t> expected(2 + 4 + 12, 0);  // empty text, "x", room of "stale"
  expected[2] = 'x';
  EXPECT_EQ(pool, expected);
  EXPECT_EQ(Action(w, 0, 2).param, 0u);
  EXPECT_EQ(Action(w, 0, 3).param, 2u);
  EXPECT_TRUE(PoolTextsInside(w.actions, pool));
}

TEST(StringPool, ReadsATextOnlyWhenOffsetAndTerminatorLieInside) {
  const std::vector<uint8_t> pool{'a', 0, 'b', 0, 0, 0, 'c', 0};  // "ab", then "c" unterminated
  struct Case {
    uint32_t param;
    std::optional<std::u16string> text;
  };
  const Case cases[] = {
      {0, u"ab"}, {1, u"ab"},  // bit 0 carries nothing
      {2, u"b"},  {4, u""},   {6, std::nullopt}, {8, std::nullopt}, {0xFFFFFFFF, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(PoolText(pool, c.param), c.text) << c.param;
  EXPECT_EQ(PoolText(std::vector<uint8_t>{0}, 0), std::nullopt);  // half a unit
}

TEST(ProfileImage, AnEmptyImageIsTheMinimalFile) {
  WorkingContents w;
  MakeEmptyProfileImage(0, w);
  EXPECT_EQ(Encode(w), ReadBytes(DataFile("minimal.qlf")));
}

struct FileCase {
  const char* file;
  ImageFault fault;
};

const FileCase kFileCases[] = {
    {"minimal.qlf", ImageFault::kNone},
    {"flag_1.qlf", ImageFault::kNone},
    {"reserved_and_tag_hold_anything.qlf", ImageFault::kNone},
    {"macros_and_texts.qlf", ImageFault::kNone},
    {"short_32831_bytes.qlf", ImageFault::kTooShort},
    {"magic_wrong.qlf", ImageFault::kMagic},
    {"header_size_wrong.qlf", ImageFault::kHeaderSize},
    {"profile_count_wrong.qlf", ImageFault::kProfileCount},
    {"format_version_wrong.qlf", ImageFault::kFormatVersion},
    {"total_below_minimum.qlf", ImageFault::kTotalBelowMinimum},
    {"key_action_count_wrong.qlf", ImageFault::kKeyActionCount},
    {"macro_count_101.qlf", ImageFault::kMacroCount},
    {"flag_2.qlf", ImageFault::kFlag},
    {"total_size_mismatch.qlf", ImageFault::kTotalMismatch},
    {"checksum_wrong.qlf", ImageFault::kChecksum},
    {"truncated_in_macro_record.qlf", ImageFault::kTruncated},
    {"truncated_in_pool.qlf", ImageFault::kTruncated},
    {"pool_text_offset_outside.qlf", ImageFault::kTextOutsidePool},
    {"pool_text_unterminated.qlf", ImageFault::kTextOutsidePool},
    {"macro_event_count_4001.qlf", ImageFault::kBadMacroRecord},
    {"macro_name_unterminated.qlf", ImageFault::kBadMacroRecord},
};

TEST(ProfileImage, ChecksEveryDataFile) {
  for (const FileCase& c : kFileCases) {
    const std::vector<uint8_t> bytes = ReadBytes(DataFile(c.file));
    ASSERT_FALSE(bytes.empty()) << c.file;
    EXPECT_EQ(CheckProfileImage(bytes), c.fault)
        << c.file << ": " << DescribeFault(CheckProfileImage(bytes));
  }
}

TEST(ProfileImage, ABrokenImageLeavesTheStoreAlone) {
  WorkingContents w;
  w.macro_list.push_back(testing::MacroA());
  for (const FileCase& c : kFileCases) {
    if (c.fault == ImageFault::kNone) continue;
    WorkingContents copy = w;
    // The loader of host copies judges only what it must to read safely:
    // header fields it does not need pass.
    if (DecodeProfileImage(ReadBytes(DataFile(c.file)), copy) == ImageFault::kNone) continue;
    EXPECT_EQ(copy.macro_list, w.macro_list) << c.file;
    EXPECT_EQ(copy.actions, w.actions) << c.file;
  }
}

TEST(ProfileImage, AnyChangedHeaderByteWithoutItsChecksumIsRefused) {
  const std::vector<uint8_t> good = ReadBytes(DataFile("macros_and_texts.qlf"));
  for (std::size_t at = 0; at < kProfileHeaderSize - 1; ++at) {
    std::vector<uint8_t> bad = good;
    bad[at] ^= 0x01;
    EXPECT_NE(CheckProfileImage(bad), ImageFault::kNone) << at;
  }
}

TEST(ProfileImage, LoadsMacrosAndTextsAndWritesThemBackUnchanged) {
  const std::vector<uint8_t> file = ReadBytes(DataFile("macros_and_texts.qlf"));
  WorkingContents w;
  ASSERT_EQ(DecodeProfileImage(file, w), ImageFault::kNone);

  ASSERT_EQ(w.macro_list.size(), 2u);
  EXPECT_EQ(macros::MacroName(w.macro_list[0]), "Hello");
  EXPECT_EQ(w.macro_list[1].play_count, 5);
  EXPECT_EQ(w.macro_list[1].event_count, 3);
  EXPECT_EQ(Action(w, 1, 0x1E).kind, KeyActionKind::kMacro);
  ASSERT_NE(w.texts.Text(keys::StoreRecordNumber(0, 5)), nullptr);
  EXPECT_EQ(*w.texts.Text(keys::StoreRecordNumber(0, 5)), u"C:\\a.exe");
  EXPECT_EQ(*w.texts.Text(keys::StoreRecordNumber(2, 9)), u"hi");
  EXPECT_EQ(w.texts.TotalBytes(), 24u);

  EXPECT_EQ(Encode(w), file);
}

TEST(ProfileImage, ASaveZeroesTheReservedBytesAndKeepsTheTagBlock) {
  const std::vector<uint8_t> file = ReadBytes(DataFile("reserved_and_tag_hold_anything.qlf"));
  WorkingContents w;
  ASSERT_EQ(DecodeProfileImage(file, w), ImageFault::kNone);
  const std::vector<uint8_t> saved = Encode(w);

  ASSERT_EQ(saved.size(), file.size());
  for (std::size_t at = 0; at < saved.size(); ++at) {
    if (at >= 20 && at < 30) {
      EXPECT_EQ(saved[at], 0) << at;
    } else if (at != 31) {
      EXPECT_EQ(saved[at], file[at]) << at;
    }
  }
  EXPECT_EQ(CheckProfileImage(saved), ImageFault::kNone);
}

TEST(ProfileImage, SharedAndOddOffsetsLoadAndSaveInTheirOwnPlaces) {
  // A user's file may point two records at one text, with bit 0 set.
  std::vector<uint8_t> file = ReadBytes(DataFile("macros_and_texts.qlf"));
  WorkingContents w;
  ASSERT_EQ(DecodeProfileImage(file, w), ImageFault::kNone);
  Action(w, 3, 0) = {.kind = KeyActionKind::kRunProgram, .param = 19};
  w.texts.Set(keys::StoreRecordNumber(3, 0), u"hi");

  const std::vector<uint8_t> saved = Encode(w);
  WorkingContents again;
  ASSERT_EQ(DecodeProfileImage(saved, again), ImageFault::kNone);
  EXPECT_EQ(*again.texts.Text(keys::StoreRecordNumber(3, 0)), u"hi");
  EXPECT_EQ(Action(again, 3, 0).param, 24u);
  EXPECT_EQ(again.texts.TotalBytes(), 30u);
}

TEST(ProfileImage, MoreThanAHundredMacrosAreNotWritten) {
  WorkingContents w;
  MakeEmptyProfileImage(0, w);
  w.macro_list.assign(101, testing::MacroA());
  std::vector<uint8_t> image;
  EXPECT_EQ(EncodeProfileImage(w, image), ImageFault::kMacroCount);
  EXPECT_TRUE(image.empty());
}

}  // namespace
}  // namespace quorlin::profiles
