#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(QUORLIN_TEST_DATA) / "ini";

std::vector<uint8_t> Bytes(const fs::path& path) {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(ReadWholeFile(path, &bytes, nullptr), ReadStatus::kOk) << path;
  return bytes;
}

std::string Text(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// ---- lookups in odd files ---------------------------------------------------

struct SampleLookup {
  const char* file;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

class OddFileTest : public testing::TestWithParam<SampleLookup> {};

TEST_P(OddFileTest, FindsWhatTheWindowsReaderFinds) {
  const SampleLookup& c = GetParam();
  const IniFile ini = IniFile::Parse(Bytes(kSamples / c.file));
  EXPECT_EQ(ini.Find(c.section, c.key), c.expected) << c.file << " [" << c.section << "] " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Samples, OddFileTest,
    testing::Values(SampleLookup{"no_final_newline.ini", "TEXT", "LAST", "no newline at the end"},
                    SampleLookup{"crlf.ini", "TEXT", "GREETING", "Hello"},
                    SampleLookup{"crlf.ini", "TEXT", "EMPTY", ""},
                    SampleLookup{"crlf.ini", "light", "speed", "Fast"},
                    SampleLookup{"blanks_around_equals.ini", "TEXT", "SPACED", "value with blanks"},
                    SampleLookup{"blanks_around_equals.ini", "TEXT", "TABBED", "value"},
                    SampleLookup{"blanks_around_equals.ini", "TEXT", "NONE", ""},
                    SampleLookup{"blanks_around_equals.ini", "TEXT", "QUOTED", "  kept blanks  "},
                    SampleLookup{"blanks_around_equals.ini", "TEXT", "HALF", "\"only one quote"},
                    SampleLookup{"blanks_around_equals.ini", "TEXT", "EQUALS", "a=b=c"},
                    SampleLookup{"duplicate_keys.ini", "TEXT", "KEY", "first"},
                    SampleLookup{"duplicate_keys.ini", "TEXT", "ONLY_LATER", std::nullopt},
                    SampleLookup{"key_before_section.ini", "TEXT", "ORPHAN", std::nullopt},
                    SampleLookup{"key_before_section.ini", "", "ORPHAN", std::nullopt},
                    SampleLookup{"key_before_section.ini", "TEXT", "INSIDE", "yes"},
                    SampleLookup{"value_only_blanks.ini", "TEXT", "BLANKS", ""},
                    SampleLookup{"value_only_blanks.ini", "TEXT", "TABS", ""},
                    SampleLookup{"value_only_blanks.ini", "TEXT", "MISSING", std::nullopt},
                    SampleLookup{"utf8_bom.ini", "TEXT", "WORD", "Übernehmen"},
                    SampleLookup{"utf16le_bom.ini", "TEXT", "WORD", "Übernehmen"},
                    SampleLookup{"utf16le_bom.ini", "TEXT", "EMOJI", "\xF0\x9F\x8E\xAE pad"},
                    SampleLookup{"comments_and_junk.ini", "TEXT", "COMMENTED", std::nullopt},
                    SampleLookup{"comments_and_junk.ini", "TEXT", "; comment", std::nullopt},
                    SampleLookup{"comments_and_junk.ini", "UNCLOSED", "AFTER", "unclosed header"},
                    SampleLookup{"comments_and_junk.ini", "SPACED", "INNER", "yes"}));

TEST(IniFileTest, EverySampleFileIsWrittenBackByteForByte) {
  int count = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kSamples)) {
    const std::vector<uint8_t> bytes = Bytes(entry.path());
    EXPECT_EQ(IniFile::Parse(bytes).Serialize(), bytes) << entry.path();
    ++count;
  }
  EXPECT_GE(count, 9);
}

TEST(IniFileTest, EntriesShowDuplicatesAndKeysOutsideSections) {
  const IniFile dup = IniFile::Parse(Bytes(kSamples / "duplicate_keys.ini"));
  std::vector<std::string> keys;
  for (const IniEntry& e : dup.Entries()) keys.push_back(e.section + "/" + e.key + "=" + e.value);
  EXPECT_EQ(keys, (std::vector<std::string>{"TEXT/KEY=first", "TEXT/key=second", "TEXT/KEY=third",
                                            "text/KEY=other section", "text/ONLY_LATER=not seen"}));

  const std::vector<IniEntry> orphan =
      IniFile::Parse(Bytes(kSamples / "key_before_section.ini")).Entries();
  ASSERT_EQ(orphan.size(), 2u);
  EXPECT_FALSE(orphan[0].in_section);
  EXPECT_EQ(orphan[0].line, 1u);
  EXPECT_TRUE(orphan[1].in_section);
  EXPECT_EQ(orphan[1].line, 4u);
}

// ---- the private-profile lookup ---------------------------------------------

struct GetCase {
  const char* name;
  std::string text;
  const char* key;
  std::string default_text;
  std::size_t buffer;
  std::string expected;
};

class GetStringTest : public testing::TestWithParam<GetCase> {};

TEST_P(GetStringTest, ReturnsValueOrDefaultCutToTheBuffer) {
  const GetCase& c = GetParam();
  EXPECT_EQ(IniFile::Parse(c.text).GetString("S", c.key, c.default_text, c.buffer), c.expected);
}

const std::string kLong(5000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, GetStringTest,
    testing::Values(
        GetCase{"Present", "[S]\nK=v\n", "K", "#Error", 260, "v"},
        GetCase{"CaseInsensitive", "[s]\nk=v\n", "K", "#Error", 260, "v"},
        GetCase{"EmptyIsNotDefault", "[S]\nK=\n", "K", "#Error", 260, ""},
        GetCase{"MissingKey", "[S]\nK=v\n", "X", "#Error", 260, "#Error"},
        GetCase{"MissingSection", "[T]\nK=v\n", "K", "#Error", 260, "#Error"},
        GetCase{"DefaultLosesTrailingBlanks", "", "K", "dflt  ", 260, "dflt"},
        GetCase{"DefaultIsCut", "", "K", "abcdef", 4, "abc"},
        GetCase{"LongLineCutTo259", "[S]\nK=" + kLong + "\n", "K", "", 260, std::string(259, 'x')},
        GetCase{"ValueFillsBuffer", "[S]\nK=abc\n", "K", "", 4, "abc"},
        GetCase{"ValueCut", "[S]\nK=abcd\n", "K", "", 4, "abc"},
        GetCase{"ZeroBuffer", "[S]\nK=abc\n", "K", "", 0, ""},
        GetCase{"CutCountsCharactersNotBytes", "[S]\nK=äöüß\n", "K", "", 3, "äö"},
        GetCase{"EmojiIsTwoUnitsAndNeverSplit", "[S]\nK=a\xF0\x9F\x8E\xAE\n", "K", "", 3, "a"},
        GetCase{"EmojiFits", "[S]\nK=a\xF0\x9F\x8E\xAE\n", "K", "", 4, "a\xF0\x9F\x8E\xAE"},
        GetCase{"StrayByteCountsAsOne", "[S]\nK=\xFF\xFEz\n", "K", "", 3, "\xFF\xFE"}),
    [](const testing::TestParamInfo<GetCase>& p) { return p.param.name; });

TEST(IniFileTest, FindGivesAVeryLongValueWhole) {
  const IniFile ini = IniFile::Parse("[S]\nK=" + kLong + "\nNEXT=1\n");
  EXPECT_EQ(ini.Find("S", "K"), kLong);
  EXPECT_EQ(ini.Find("S", "NEXT"), "1");
}

// ---- writing ----------------------------------------------------------------

struct SetCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

class SetStringTest : public testing::TestWithParam<SetCase> {};

TEST_P(SetStringTest, ChangesOnlyWhatItMust) {
  const SetCase& c = GetParam();
  IniFile ini = IniFile::Parse(c.before);
  ASSERT_TRUE(ini.SetString(c.section, c.key, c.value));
  EXPECT_EQ(Text(ini.Serialize()), c.after);
  EXPECT_EQ(IniFile::Parse(c.after).Find(c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetStringTest,
    testing::Values(
        SetCase{"InPlaceKeepsCommentsAndOrder", "; top\n[A]\nX=1\nK=old ; tail\nY=2\n[B]\nK=b\n",
                "A", "K", "new", "; top\n[A]\nX=1\nK=new\nY=2\n[B]\nK=b\n"},
        SetCase{"InPlaceKeepsTheFilesSpelling", "[Sec]\n  MyKey = old\n", "SEC", "MYKEY", "new",
                "[Sec]\nMyKey=new\n"},
        SetCase{"FirstOfDuplicates", "[A]\nK=1\nK=2\n", "A", "K", "x", "[A]\nK=x\nK=2\n"},
        SetCase{"NewKeyAfterTheSectionsLastKey", "[A]\nX=1\n\n; about B\n[B]\nY=2\n", "A", "K", "v",
                "[A]\nX=1\nK=v\n\n; about B\n[B]\nY=2\n"},
        SetCase{"NewKeyInEmptySection", "[A]\n[B]\n", "A", "K", "v", "[A]\nK=v\n[B]\n"},
        SetCase{"NewSectionAtTheEnd", "[A]\nX=1\n", "B", "K", "v", "[A]\nX=1\n[B]\nK=v\n"},
        SetCase{"NoFinalNewline", "[A]\nX=1", "A", "K", "v", "[A]\nX=1\nK=v\n"},
        SetCase{"NoFinalNewlineNewSection", "[A]\nX=1", "B", "K", "v", "[A]\nX=1\n[B]\nK=v\n"},
        SetCase{"KeepsCrlf", "[A]\r\nX=1\r\n", "B", "K", "v", "[A]\r\nX=1\r\n[B]\r\nK=v\r\n"},
        SetCase{"EmptyFile", "", "A", "K", "v", "[A]\nK=v\n"},
        SetCase{"OrphanKeyIsNotTouched", "K=orphan\n[A]\n", "A", "K", "v", "K=orphan\n[A]\nK=v\n"},
        SetCase{"OnlyTheFirstSectionOfAName", "[A]\nX=1\n[B]\n[a]\nK=later\n", "A", "K", "v",
                "[A]\nX=1\nK=v\n[B]\n[a]\nK=later\n"},
        SetCase{"EmptyValue", "[A]\nK=v\n", "A", "K", "", "[A]\nK=\n"},
        SetCase{"OuterBlanksAreQuoted", "", "A", "K", "Macro ", "[A]\nK=\"Macro \"\n"},
        SetCase{"EnclosingQuotesAreQuoted", "", "A", "K", "'x'", "[A]\nK=\"'x'\"\n"},
        SetCase{"InnerQuotesStay", "", "A", "K", "say \"hi\" now", "[A]\nK=say \"hi\" now\n"}),
    [](const testing::TestParamInfo<SetCase>& p) { return p.param.name; });

struct RefusedCase {
  const char* section;
  const char* key;
  const char* value;
};

class RefusedWriteTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedWriteTest, LeavesTheFileAlone) {
  const RefusedCase& c = GetParam();
  const std::string before = "[A]\nK=1\n";
  IniFile ini = IniFile::Parse(before);
  EXPECT_FALSE(ini.SetString(c.section, c.key, c.value));
  EXPECT_EQ(Text(ini.Serialize()), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedWriteTest,
                         testing::Values(RefusedCase{"", "K", "v"}, RefusedCase{"A]", "K", "v"},
                                         RefusedCase{" A", "K", "v"}, RefusedCase{"A\nB", "K", "v"},
                                         RefusedCase{"A", "", "v"}, RefusedCase{"A", "K=1", "v"},
                                         RefusedCase{"A", "K ", "v"}, RefusedCase{"A", "[K", "v"},
                                         RefusedCase{"A", ";K", "v"}, RefusedCase{"A", "K", "a\nb"},
                                         RefusedCase{"A", "K", "a\rb"}));

TEST(IniFileTest, Utf16FileStaysUtf16WithItsByteOrderMark) {
  IniFile ini = IniFile::Parse(Bytes(kSamples / "utf16le_bom.ini"));
  ASSERT_EQ(ini.encoding(), IniEncoding::kUtf16LeBom);
  ASSERT_TRUE(ini.SetString("LIGHT", "Speed", "Geschwindigkeit \xF0\x9F\x8E\xAE"));
  const std::vector<uint8_t> bytes = ini.Serialize();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_EQ(bytes.size() % 2, 0u);
  const IniFile again = IniFile::Parse(bytes);
  EXPECT_EQ(again.Find("TEXT", "WORD"), "Übernehmen");
  EXPECT_EQ(again.Find("LIGHT", "Speed"), "Geschwindigkeit \xF0\x9F\x8E\xAE");
}

TEST(IniFileTest, Utf8ByteOrderMarkIsKept) {
  IniFile ini = IniFile::Parse(Bytes(kSamples / "utf8_bom.ini"));
  ASSERT_TRUE(ini.SetString("TEXT", "NEW", "x"));
  EXPECT_EQ(Text(ini.Serialize()), "\xEF\xBB\xBF[TEXT]\nWORD=Übernehmen\nNEW=x\n");
}

TEST(IniFileTest, BrokenUtf16IsReadWithReplacementCharacters) {
  // A lone high surrogate, then an odd final byte.
  const std::vector<uint8_t> bytes = {0xFF, 0xFE, '[', 0, 'S',  0,    ']', 0, '\n', 0,
                                      'K',  0,    '=', 0, 0x00, 0xD8, 'a', 0, 'z'};
  EXPECT_EQ(IniFile::Parse(bytes).Find("S", "K"),
            "\xEF\xBF\xBD"
            "a\xEF\xBF\xBD");
}

TEST(IniFileTest, RemoveKeyTakesOutOnlyThatLine) {
  IniFile ini = IniFile::Parse("[A]\nX=1\nK=2\n; note\n");
  EXPECT_TRUE(ini.RemoveKey("a", "k"));
  EXPECT_FALSE(ini.RemoveKey("A", "K"));
  EXPECT_EQ(Text(ini.Serialize()), "[A]\nX=1\n; note\n");
}

// ---- the file-level calls ---------------------------------------------------

TEST(ProfileFileTest, ReadsTheFileAgainOnEveryCall) {
  TempFolder temp;
  const fs::path file = temp.path() / "Lang.ini";
  EXPECT_EQ(ReadProfileString(file, "TEXT", "K", "#Error"), "#Error");
  std::ofstream(file) << "[TEXT]\nK=first\n";
  EXPECT_EQ(ReadProfileString(file, "TEXT", "K", "#Error"), "first");
  std::ofstream(file) << "[TEXT]\nK=edited\n";
  EXPECT_EQ(ReadProfileString(file, "TEXT", "K", "#Error"), "edited");
}

TEST(ProfileFileTest, WriteCreatesTheFileAndKeepsTheRest) {
  TempFolder temp;
  const fs::path file = temp.path() / "wskb.ini";
  ASSERT_TRUE(WriteProfileString(file, "KEYCOLOR", "DengCheck", "1", nullptr));
  EXPECT_EQ(Text(Bytes(file)), "[KEYCOLOR]\nDengCheck=1\n");
  std::ofstream(file, std::ios::app) << "; user note\n";
  ASSERT_TRUE(WriteProfileString(file, "KEYCOLOR", "DengCheck", "0", nullptr));
  EXPECT_EQ(Text(Bytes(file)), "[KEYCOLOR]\nDengCheck=0\n; user note\n");
}

TEST(ProfileFileTest, WriteRefusesAFileItCannotRead) {
  TempFolder temp;
  const fs::path not_a_file = temp.path() / "dir.ini";
  fs::create_directory(not_a_file);
  std::string error;
  EXPECT_FALSE(WriteProfileString(not_a_file, "A", "K", "v", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(fs::is_directory(not_a_file));
  EXPECT_FALSE(WriteProfileString(temp.path() / "no" / "folder.ini", "A", "K", "v", &error));
}

}  // namespace
}  // namespace quorlin::platform
