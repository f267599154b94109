#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "temp_folder.h"

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLang = "dwLanguageId";

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class IniSettingsStoreTest : public testing::Test {
 protected:
  TempFolder temp_;
  fs::path file_ = temp_.path() / "config" / "quorlin" / "settings.ini";
  IniSettingsStore store_{file_};
};

TEST_F(IniSettingsStoreTest, FirstWriteCreatesFolderAndFile) {
  EXPECT_EQ(store_.ReadDword(kProductKeyPath, "", kLang), std::nullopt);
  ASSERT_TRUE(store_.WriteDword(kProductKeyPath, "", kLang, 0x0416));
  EXPECT_EQ(store_.ReadDword(kProductKeyPath, "", kLang), 0x0416u);
  EXPECT_EQ(FileText(file_),
            "[Software\\Vantorel  Q742-ZX  MECHANICAL GAMING KEYBOARD]\n"
            "dwLanguageId=dword:00000416\n");
}

TEST_F(IniSettingsStoreTest, KeyPathsAndSectionsAreSeparateAndNamesIgnoreCase) {
  ASSERT_TRUE(store_.WriteText(kAppSettingsKeyPath, kProfilesSection, "Flip", "1"));
  ASSERT_TRUE(store_.WriteText(kAppSettingsKeyPath, "", "Flip", "root"));
  ASSERT_TRUE(store_.WriteDword(kProductKeyPath, "", "Flip", 7));
  EXPECT_EQ(store_.ReadText(kAppSettingsKeyPath, "profiles", "FLIP"), "1");
  EXPECT_EQ(store_.ReadText(kAppSettingsKeyPath, "", "flip"), "root");
  EXPECT_EQ(store_.ReadDword(kProductKeyPath, "", "Flip"), 7u);
}

TEST_F(IniSettingsStoreTest, TwoStoresOnOneFileAlwaysAgree) {
  // The GUI and the CLI each hold their own store object.
  IniSettingsStore other(file_);
  ASSERT_TRUE(store_.WriteDword(kProductKeyPath, "", kLang, 0x0407));
  EXPECT_EQ(other.ReadDword(kProductKeyPath, "", kLang), 0x0407u);
  ASSERT_TRUE(other.WriteDword(kProductKeyPath, "", kLang, 0x0409));
  EXPECT_EQ(store_.ReadDword(kProductKeyPath, "", kLang), 0x0409u);
}

class TextRoundTripTest : public IniSettingsStoreTest,
                          public testing::WithParamInterface<const char*> {};

TEST_P(TextRoundTripTest, TextComesBackExactly) {
  ASSERT_TRUE(store_.WriteText(kAppSettingsKeyPath, kProfilesSection, "PROFILE01", GetParam()));
  EXPECT_EQ(store_.ReadText(kAppSettingsKeyPath, kProfilesSection, "PROFILE01"), GetParam());
  EXPECT_EQ(store_.ReadDword(kAppSettingsKeyPath, kProfilesSection, "PROFILE01"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextRoundTripTest,
                         testing::Values("", "0", "/home/u/My Profile.qlf", " leading", "trailing ",
                                         "\"quoted\"", "'single'", "dword:00000001", "DWORD:7",
                                         "a=b", "; not a comment", "Übernehmen"));

TEST_F(IniSettingsStoreTest, RefusesWhatALineCannotHold) {
  EXPECT_FALSE(store_.WriteText(kAppSettingsKeyPath, kProfilesSection, "K", "two\nlines"));
  EXPECT_FALSE(store_.WriteText(kAppSettingsKeyPath, kProfilesSection, "a=b", "v"));
  EXPECT_FALSE(store_.WriteDword("bad]path", "", "K", 1));
  EXPECT_FALSE(fs::exists(file_));
}

struct HandEdited {
  const char* line;
  std::optional<uint32_t> dword;
  std::optional<std::string> text;
};

class HandEditedTest : public IniSettingsStoreTest,
                       public testing::WithParamInterface<HandEdited> {};

TEST_P(HandEditedTest, ValueIsReadAsItsType) {
  fs::create_directories(file_.parent_path());
  std::ofstream(file_) << "[P]\nV=" << GetParam().line << "\n";
  EXPECT_EQ(store_.ReadDword("P", "", "V"), GetParam().dword);
  EXPECT_EQ(store_.ReadText("P", "", "V"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HandEditedTest,
    testing::Values(HandEdited{"dword:00000407", 0x0407u, std::nullopt},
                    HandEdited{"DWORD:ffffffff", 0xFFFFFFFFu, std::nullopt},
                    HandEdited{"dword:7", 7u, std::nullopt},
                    HandEdited{"dword:", std::nullopt, "dword:"},
                    HandEdited{"dword:123456789", std::nullopt, "dword:123456789"},
                    HandEdited{"dword:12 34", std::nullopt, "dword:12 34"},
                    HandEdited{"dword:-1", std::nullopt, "dword:-1"},
                    HandEdited{"\"dword:00000001\"", std::nullopt, "dword:00000001"},
                    HandEdited{"1031", std::nullopt, "1031"}, HandEdited{"", std::nullopt, ""}));

TEST_F(IniSettingsStoreTest, KeepsWhatElseIsInTheFile) {
  fs::create_directories(file_.parent_path());
  std::ofstream(file_) << "; kept\n[Other]\nX=1\n";
  ASSERT_TRUE(store_.WriteDword(kProductKeyPath, "", kLang, 0x0409));
  EXPECT_EQ(FileText(file_),
            "; kept\n[Other]\nX=1\n"
            "[Software\\Vantorel  Q742-ZX  MECHANICAL GAMING KEYBOARD]\n"
            "dwLanguageId=dword:00000409\n");
}

TEST_F(IniSettingsStoreTest, UnreadableFileIsNotOverwritten) {
  fs::create_directories(file_);  // a folder where the file should be
  EXPECT_EQ(store_.ReadDword(kProductKeyPath, "", kLang), std::nullopt);
  EXPECT_FALSE(store_.WriteDword(kProductKeyPath, "", kLang, 1));
  EXPECT_TRUE(fs::is_directory(file_));
}

}  // namespace
}  // namespace quorlin::platform
