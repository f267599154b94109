#include "ui/skin/skin_rect.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <climits>
#include <fstream>
#include <functional>

#include "platform/temp_folder.h"
#include "skin_test_support.h"
#include "ui/skin/picture_extent.h"
#include "ui/skin/placement.h"
#include "ui/skin/skin_failure.h"
#include "ui/skin/skin_file.h"

namespace quorlin::ui {
namespace {

struct RectCase {
  const char* text;
  SkinRect expected;
};

class ParseSkinRectTest : public ::testing::TestWithParam<RectCase> {};

TEST_P(ParseSkinRectTest, ReadsAsScanfWould) {
  EXPECT_EQ(ParseSkinRect(GetParam().text), GetParam().expected) << "\"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Values, ParseSkinRectTest,
    ::testing::Values(RectCase{"12,300,80,24", {12, 300, 80, 24}},
                      RectCase{"1,1,1,1,x", {1, 1, 1, 1}},            // the missing-key text
                      RectCase{" 7, 8,\t9, 10 rest", {7, 8, 9, 10}},  // blanks before numbers
                      RectCase{"-3,+4,5,6", {-3, 4, 5, 6}},
                      RectCase{"5,6", {5, 6, 0, 0}},  // short: the rest are 0
                      RectCase{"5,6,", {5, 6, 0, 0}},
                      RectCase{"1 ,2,3,4", {1, 0, 0, 0}},  // a blank before a comma stops
                      RectCase{"x,1,2,3", {0, 0, 0, 0}}, RectCase{"", {0, 0, 0, 0}},
                      RectCase{"99999999999,1,1,1", {INT_MAX, 1, 1, 1}},
                      RectCase{"10,20,30,40,50", {10, 20, 30, 40}}));

TEST(SkinRect, OnlyTheOneOneOriginIsUnplaced) {
  EXPECT_TRUE(IsUnplacedOrigin({1, 1, 30, 30}));
  EXPECT_FALSE(IsUnplacedOrigin({1, 2, 1, 1}));
  EXPECT_FALSE(IsUnplacedOrigin({0, 0, 0, 0}));
}

}  // namespace
}  // namespace quorlin::ui

namespace quorlin::ui {
namespace {

namespace fs = std::filesystem;
using testing::EnsureApplication;

TEST(SkinRect, ClampedToItsWindowWhateverTheNumbers) {
  const struct {
    SkinRect in;
    SkinRect out;
  } cases[] = {
      {{272, 62, 60000, 60000}, {272, 62, 528, 538}},
      {{0, 0, 100000, 100}, {0, 0, 800, 100}},
      {{1, 1, 1, 1}, {1, 1, 1, 1}},  // the missing key keeps its meaning
      {{-50, -50, 100, 100}, {0, 0, 50, 50}},
      {{900, 700, 10, 10}, {800, 600, 0, 0}},
      {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {800, 600, 0, 0}},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 0, 0}},
      {{10, 10, -5, -5}, {10, 10, 0, 0}},
      {{12, 300, 80, 24}, {12, 300, 80, 24}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClampSkinRect(c.in, 800, 600), c.out)
        << c.in.x << "," << c.in.y << "," << c.in.w << "," << c.in.h;
  }
}

// The window's size comes from the background picture's header, in each
// format a skin uses; a header that claims too much is not believed.
TEST(SkinFile, RectanglesStayInsideTheBackgroundPicture) {
  TempFolder folder;
  EnsureApplication();
  for (const char* format : {"PNG", "JPG", "BMP"}) {
    const std::string picture = std::string("bg.") + format;
    ASSERT_TRUE(QImage(640, 480, QImage::Format_RGB32)
                    .save(QString::fromStdString((folder.path() / picture).string()), format));
    const fs::path ini = folder.path() / "Main.ini";
    std::ofstream(ini) << "[SCREEN]\nMain=" << picture
                       << "\n[BUTTONINFO]\nFUNC_MACRO=272,62,60000,60000\nALL=0,0,100000,100\n";
    const SkinFile skin(ini);
    EXPECT_EQ(skin.Window().width, 640) << format;
    EXPECT_EQ(skin.Window().height, 480) << format;
    EXPECT_EQ(skin.ButtonRect("FUNC_MACRO"), (SkinRect{272, 62, 368, 418})) << format;
    EXPECT_EQ(skin.ButtonRect("ALL"), (SkinRect{0, 0, 640, 100})) << format;
    EXPECT_EQ(skin.ButtonRect("ABSENT"), (SkinRect{1, 1, 1, 1})) << format;

    QWidget control;
    PlaceControl(&control, skin, "BUTTONINFO", "FUNC_MACRO");
    EXPECT_EQ(control.geometry(), QRect(272, 62, 368, 418)) << format;
  }
  const uint8_t huge_png[24] = {0x89, 'P',  'N',  'G',  '\r', '\n', 0x1A, '\n',
                                0,    0,    0,    13,   'I',  'H',  'D',  'R',
                                0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF};
  EXPECT_FALSE(PictureExtentOf(huge_png).has_value());
  const uint8_t bmp_top_down[26] = {'B', 'M', 0, 0, 0, 0,  0, 0, 0, 0,    0,    0,    0,
                                    0,   0,   0, 0, 0, 20, 0, 0, 0, 0xF6, 0xFF, 0xFF, 0xFF};
  ASSERT_TRUE(PictureExtentOf(bmp_top_down).has_value());
  EXPECT_EQ(PictureExtentOf(bmp_top_down)->height, 10);
}

// A Skins/Main.ini that is missing or names no picture is the file at
// fault: the message names it, not the folder.
TEST(SkinFile, AMissingOrBrokenSkinFileIsNamed) {
  TempFolder folder;
  const fs::path ini = folder.path() / "Main.ini";
  const struct {
    const char* name;
    std::function<void()> make;
    const char* cause;
  } cases[] = {
      {"missing", [] {}, "no such file"},
      {"no picture", [&] { std::ofstream(ini) << "[BUTTONINFO]\nA=1,2,3,4\n"; }, "no background"},
      {"folder", [&] { fs::create_directory(ini); }, "a folder"},
  };
  for (const auto& c : cases) {
    fs::remove_all(ini);
    c.make();
    const SkinFile skin(ini);
    EXPECT_EQ(skin.BackgroundPath(), ini) << c.name;
    const std::string message = SkinFailureMessage(skin.BackgroundPath(), "Unsupported format");
    EXPECT_NE(message.find("skin file \"" + ini.string() + "\""), std::string::npos) << message;
    EXPECT_NE(message.find(c.cause), std::string::npos) << c.name << ": " << message;
  }
}

}  // namespace
}  // namespace quorlin::ui
