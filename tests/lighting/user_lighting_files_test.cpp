#include "lighting/user_lighting_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "platform/temp_folder.h"

namespace quorlin::lighting {
namespace {

std::vector<uint8_t> Bytes(const std::filesystem::path& file) {
  std::vector<uint8_t> out;
  platform::ReadWholeFile(file, &out, nullptr);
  return out;
}

void WriteText(const std::filesystem::path& file, std::string_view text) {
  std::ofstream(file, std::ios::binary) << text;
}

struct Files {
  TempFolder folder;
  UserLightingPaths paths = MakeUserLightingPaths(folder.path() / "data", QUORLIN_DATA_DIR);
};

TEST(UserLightingFiles, FirstRunCopiesTheDefaultFileOnce) {
  Files f;
  EXPECT_TRUE(PrepareDataFolderOnFirstRun(f.paths));
  const auto shipped = Bytes(f.paths.default_file);
  ASSERT_FALSE(shipped.empty());
  for (int p = 0; p < 3; ++p) EXPECT_EQ(Bytes(UserSettingsFile(f.paths, p)), shipped) << p;
  EXPECT_EQ(UserSettingsFile(f.paths, 1).filename(), "UserDengColor_1.userd");

  std::filesystem::remove(UserSettingsFile(f.paths, 1));
  EXPECT_FALSE(PrepareDataFolderOnFirstRun(f.paths));
  EXPECT_FALSE(std::filesystem::exists(UserSettingsFile(f.paths, 1)));
}

TEST(UserLightingFiles, MissingDefaultGivesAnEmptyCopy) {
  Files f;
  f.paths.default_file = f.folder.path() / "nowhere.userd";
  ASSERT_TRUE(PrepareDataFolderOnFirstRun(f.paths));
  EXPECT_TRUE(std::filesystem::exists(UserSettingsFile(f.paths, 0)));
  EXPECT_TRUE(Bytes(UserSettingsFile(f.paths, 0)).empty());
  EXPECT_EQ(ReadSlotNames(f.paths, 0, 3), (std::vector<std::string>{"0", "0", "0"}));
}

TEST(UserLightingFiles, ViewFlagOnlyOneIsOpen) {
  Files f;
  std::filesystem::create_directories(f.paths.data_folder);
  EXPECT_FALSE(ReadViewFlag(f.paths));
  for (auto [text, open] : {std::pair{"1", true},
                            {"2", false},
                            {"0", false},
                            {"x", false},
                            {"1 ", true},
                            {"-1", false}}) {
    WriteText(ViewSettingsFile(f.paths), std::string("[KEYCOLOR]\nDengCheck=") + text + "\n");
    EXPECT_EQ(ReadViewFlag(f.paths), open) << text;
  }
  EXPECT_TRUE(WriteViewFlag(f.paths, true));
  EXPECT_EQ(platform::ReadProfileString(ViewSettingsFile(f.paths), "KEYCOLOR", "DengCheck", ""),
            "1");
}

TEST(UserLightingFiles, ValuesFromTheFileFallBackToTheirDefaults) {
  Files f;
  std::filesystem::create_directories(f.paths.data_folder);
  WriteText(UserSettingsFile(f.paths, 0),
            "[PRESENTMODE]\nmode=7\n"
            "[Mode0]\ntool=2\njcolor=300,-1,x\ncolor=1,2\n"
            "64=1,2,3,9\n65=1,2,3\n66=256,0,0,1\n67= 4 , 5 , 6 , 0 \n68=\n");
  EXPECT_EQ(ReadPresentSlot(f.paths, 0, 3), 0);
  EXPECT_EQ(ReadPresentSlot(f.paths, 0, 10), 7);
  EXPECT_EQ(ReadPresentSlot(f.paths, 1, 3), 0);  // no file

  const UserSlot s = ReadUserSlot(f.paths, 0, 0);
  EXPECT_EQ(s.settings, (UserSlotSettings{PaintTool::kBrush, kBlack, kBlack}));
  EXPECT_EQ(s.keys[0], (KeyEntry{{1, 2, 3}, true}));   // A: any non-zero mark
  EXPECT_EQ(s.keys[18], kDefaultKeyEntry);             // S: no mark
  EXPECT_EQ(s.keys[3], kDefaultKeyEntry);              // D: 256
  EXPECT_EQ(s.keys[5], (KeyEntry{{4, 5, 6}, false}));  // F: blanks are fine
  EXPECT_EQ(s.keys[6], kDefaultKeyEntry);              // G: empty
  EXPECT_EQ(s.keys[1], kDefaultKeyEntry);              // B: missing
}

// Slots 3..9 can only be chosen after a keyboard reset; later reads with
// the three-slot list must not silently turn them into slot 0.
TEST(UserLightingFiles, APresentSlotBeyondTheListStaysWhileTheFileHoldsIt) {
  struct Case {
    const char* file;
    int present;
  };
  const Case cases[] = {
      {"[PRESENTMODE]\nmode=7\n[Mode7]\ncolor=1,2,3\n", 7},
      {"[PRESENTMODE]\nmode=7\n[mode7]\n125=1,2,3,1\n", 7},  // section names ignore case
      {"[PRESENTMODE]\nmode=7\n[Mode0]\ncolor=1,2,3\n", 0},
      {"[PRESENTMODE]\nmode=10\n[Mode10]\ncolor=1,2,3\n", 0},
      {"[PRESENTMODE]\nmode=-1\n", 0},
      {"[PRESENTMODE]\nmode=2\n", 2},
  };
  Files f;
  std::filesystem::create_directories(f.paths.data_folder);
  for (const Case& c : cases) {
    WriteText(UserSettingsFile(f.paths, 0), c.file);
    EXPECT_EQ(ReadPresentSlot(f.paths, 0, kUserSlotCount), c.present) << c.file;
  }
}

TEST(UserLightingFiles, FormatsRoundTrip) {
  EXPECT_EQ(FormatColour({0, 128, 255}), "0,128,255");
  EXPECT_EQ(FormatKeyEntry({{1, 2, 3}, true}), "1,2,3,1");
  for (const char* bad : {"", "1,2,3,", ",1,2,3", "1,,2", "1,2,3x", "a,b,c", "99999999999,0,0"}) {
    EXPECT_FALSE(ParseColour(bad)) << bad;
  }
  EXPECT_EQ(ParseLeadingInt("12abc"), 12);
  EXPECT_EQ(ParseLeadingInt("+3"), 3);
  EXPECT_FALSE(ParseLeadingInt("-"));
  EXPECT_FALSE(ParseLeadingInt("99999999999"));
}

TEST(UserLightingFiles, SavesLandWhereTheyAreReadFrom) {
  Files f;
  std::filesystem::create_directories(f.paths.data_folder);
  const UserSlotSettings settings{PaintTool::kBaseBrush, {1, 2, 3}, {4, 5, 6}};
  EXPECT_TRUE(SaveSlotSettings(f.paths, 1, 4, settings));
  const std::array<LitKeyEntry, 2> entries = {LitKeyEntry{kFnLitKey, {{7, 8, 9}, false}},
                                              LitKeyEntry{kGKeysLitKey, {{1, 1, 1}, true}}};
  EXPECT_TRUE(SaveKeyEntries(f.paths, 1, 4, entries));
  EXPECT_TRUE(SavePresentSlot(f.paths, 1, 2));
  EXPECT_TRUE(SaveSlotName(f.paths, 1, 4, "Night"));

  const UserSlot s = ReadUserSlot(f.paths, 1, 4);
  EXPECT_EQ(s.settings, settings);
  EXPECT_EQ(s.keys[kFnLitKey], entries[0].entry);
  EXPECT_EQ(s.keys[kGKeysLitKey], entries[1].entry);
  EXPECT_EQ(ReadPresentSlot(f.paths, 1, 3), 2);
  EXPECT_EQ(ReadSlotNames(f.paths, 1, 5)[4], "Night");
  EXPECT_EQ(platform::ReadProfileString(UserSettingsFile(f.paths, 1), "Mode4", "110", ""),
            "7,8,9,0");
}

TEST(UserLightingFiles, WritesIntoAMissingFolderFailQuietly) {
  Files f;
  EXPECT_FALSE(WriteViewFlag(f.paths, true));
  EXPECT_FALSE(SaveSlotSettings(f.paths, 0, 0, {}));
  EXPECT_FALSE(SaveSlotName(f.paths, 0, 0, "x"));
  EXPECT_FALSE(std::filesystem::exists(f.paths.data_folder));
}

// The shipped file: three named slots, every lit key given explicitly and
// readable, so no key falls back to the red default.
TEST(ShippedDefaultFile, HoldsThreeCompleteSlots) {
  Files f;
  platform::IniFile ini;
  ASSERT_EQ(platform::IniFile::Load(f.paths.default_file, &ini, nullptr),
            platform::ReadStatus::kOk);
  EXPECT_EQ(ini.Find("PRESENTMODE", "mode"), (std::optional<std::string>{"0"}));
  for (int s = 0; s < kUserSlotCount; ++s) {
    const std::string section = "Mode" + std::to_string(s);
    const auto name = ini.Find("MODENAME", std::to_string(s));
    ASSERT_TRUE(name) << s;
    EXPECT_NE(*name, "0");
    EXPECT_TRUE(ParseColour(ini.Find(section, "jcolor").value_or(""))) << section;
    EXPECT_TRUE(ParseColour(ini.Find(section, "color").value_or(""))) << section;
    for (int led : LitKeyLeds()) {
      const auto entry = ini.Find(section, std::to_string(led));
      ASSERT_TRUE(entry && ParseKeyEntry(*entry)) << section << " LED " << led;
      // A marked key has the base colour, or a base colour change would
      // leave the keys and the marks disagreeing.
      const KeyEntry e = *ParseKeyEntry(*entry);
      if (e.base_mark) {
        EXPECT_EQ(FormatColour(e.colour), *ini.Find(section, "jcolor"));
      }
    }
  }
}

}  // namespace
}  // namespace quorlin::lighting
