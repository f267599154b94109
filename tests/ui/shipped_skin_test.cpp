// The skin the build generates: every key each window reads is there, every
// rectangle lies inside its window, image buttons do not overlap, every
// picture exists at the right size, and every state picture shows each image
// button differently from the normal one.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <set>

#include "platform/ini_file.h"
#include "skin_test_support.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_families.h"
#include "ui/skin/skin_file.h"
#include "ui/skin/skin_picture.h"

namespace quorlin::ui {
namespace {

namespace families = skin_families;
namespace catalogue = skin_catalogue;

const std::filesystem::path kSkinDir = QUORLIN_SKIN_DIR;

struct WindowCase {
  std::string_view skin;
  std::vector<std::string> image_buttons;
  std::vector<std::string> placed;
  std::vector<catalogue::StatePictureSet> sets;
};

template <typename List>
std::vector<std::string> Strings(const List& list) {
  return std::vector<std::string>(list.begin(), list.end());
}

std::vector<WindowCase> Windows() {
  return {
      {catalogue::kMainSkin,
       families::MainImageButtonKeys(),
       families::MainPlacedControlKeys(),
       {catalogue::kMainSet, catalogue::kMainFlipSet}},
      {catalogue::kCompositeSkin,
       Strings(families::kCompositeImageButtons),
       Strings(families::kCompositePlacedControls),
       {catalogue::kKeyPageSet, catalogue::kMacroPageSet, catalogue::kMacroOnlySet,
        catalogue::kMediaPageSet, catalogue::kFunctionPageSet}},
      {catalogue::kProfileSkin,
       Strings(families::kProfileImageButtons),
       Strings(families::kProfilePlacedControls),
       {catalogue::kProfileSet}},
      {catalogue::kUpdateSkin,
       Strings(families::kUpdateImageButtons),
       Strings(families::kUpdatePlacedControls),
       {catalogue::kUpdateSet}},
  };
}

QRect ToQRect(const SkinRect& r) {
  return QRect(r.x, r.y, r.w, r.h);
}

QImage Load(const std::filesystem::path& file) {
  std::string why;
  std::optional<QImage> image = TryLoadSkinImage(file, &why);
  EXPECT_TRUE(image.has_value()) << file << ": " << why;
  return image ? image->convertToFormat(QImage::Format_RGB32) : QImage();
}

// How far two pictures differ inside a rectangle: the largest difference of
// one colour channel.
int LargestDifference(const QImage& a, const QImage& b, const QRect& r) {
  int largest = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  return largest;
}

class ShippedSkinTest : public ::testing::TestWithParam<WindowCase> {
 protected:
  void SetUp() override {
    testing::EnsureApplication();
    skin_ = std::make_unique<SkinFile>(kSkinDir / GetParam().skin);
    background_ = Load(skin_->BackgroundPath());
  }
  std::unique_ptr<SkinFile> skin_;
  QImage background_;
};

TEST_P(ShippedSkinTest, HasEveryKeyOfItsFamilies) {
  ASSERT_TRUE(skin_->ScreenValue("Main").has_value());
  ASSERT_TRUE(skin_->ScreenValue("Mask").has_value());
  for (const std::string& key : GetParam().image_buttons)
    EXPECT_TRUE(skin_->HasKey(families::kButtonSection, key)) << key;
  for (const std::string& key : GetParam().placed)
    EXPECT_TRUE(skin_->HasKey(families::kButtonSection, key)) << key;
  if (GetParam().skin == catalogue::kMainSkin) {
    EXPECT_TRUE(skin_->Link().has_value());
    for (const std::string& key : families::MainArrowFrameKeys())
      EXPECT_TRUE(skin_->HasKey(families::kArrowSection, key)) << key;
  }
}

TEST_P(ShippedSkinTest, EveryRectangleLiesInsideTheWindow) {
  const QRect window(QPoint(0, 0), background_.size());
  std::vector<std::string> keys = GetParam().image_buttons;
  keys.insert(keys.end(), GetParam().placed.begin(), GetParam().placed.end());
  for (const std::string& key : keys) {
    const SkinRect r = skin_->ButtonRect(key);
    EXPECT_GT(r.w, 1) << key;
    EXPECT_GT(r.h, 1) << key;
    EXPECT_FALSE(IsUnplacedOrigin(r)) << key;
    EXPECT_TRUE(window.contains(ToQRect(r))) << key;
  }
}

TEST_P(ShippedSkinTest, ImageButtonsDoNotOverlap) {
  // The L-shaped Enter's rectangle covers a corner of its neighbour; the
  // neighbour is drawn above it.
  const std::set<std::pair<std::string, std::string>> allowed = {{"KEY_01C", "KEY_02B"},
                                                                 {"KEY_02B", "KEY_01C"}};
  std::vector<std::string> keys = GetParam().image_buttons;
  if (GetParam().skin == catalogue::kMainSkin)
    keys.insert(keys.end(), families::kMainArrowButtons.begin(), families::kMainArrowButtons.end());
  for (std::size_t i = 0; i < keys.size(); ++i)
    for (std::size_t j = i + 1; j < keys.size(); ++j) {
      if (allowed.count({keys[i], keys[j]})) continue;
      EXPECT_FALSE(
          ToQRect(skin_->ButtonRect(keys[i])).intersects(ToQRect(skin_->ButtonRect(keys[j]))))
          << keys[i] << " overlaps " << keys[j];
    }
  if (GetParam().skin == catalogue::kMainSkin) {
    EXPECT_TRUE(
        ToQRect(skin_->ButtonRect("KEY_01C")).intersects(ToQRect(skin_->ButtonRect("KEY_02B"))));
  }
}

TEST_P(ShippedSkinTest, MaskAndStatePicturesMatchTheBackground) {
  EXPECT_EQ(Load(skin_->MaskPath()).size(), background_.size());
  for (const catalogue::StatePictureSet& set : GetParam().sets)
    for (const std::string& file : catalogue::DistinctFiles({set}))
      EXPECT_EQ(Load(kSkinDir / file).size(), background_.size()) << file;
}

TEST_P(ShippedSkinTest, EveryStatePictureShowsEachImageButtonDifferently) {
  for (const catalogue::StatePictureSet& set : GetParam().sets) {
    const QImage normal = Load(kSkinDir / set.normal);
    for (const std::string& file : catalogue::DistinctFiles({set})) {
      if (file == set.normal) continue;
      const QImage state = Load(kSkinDir / file);
      for (const std::string& key : GetParam().image_buttons) {
        const SkinRect r = skin_->ButtonRect(key);
        const QRect in_picture(r.x - 1, r.y - 1, r.w, r.h);
        EXPECT_GT(LargestDifference(normal, state, in_picture), 24) << file << " at " << key;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, ShippedSkinTest, ::testing::ValuesIn(Windows()),
                         [](const ::testing::TestParamInfo<WindowCase>& param_info) {
                           std::string name(param_info.param.skin);
                           return name.substr(0, name.find('.'));
                         });

TEST(ShippedSkin, ArrowFramesLieInsideTheArrowPicture) {
  testing::EnsureApplication();
  const SkinFile skin(kSkinDir / catalogue::kMainSkin);
  const QImage arrows = Load(kSkinDir / catalogue::kMainArrows);
  const QRect picture(QPoint(0, 0), arrows.size());
  for (std::string_view arrow : families::kMainArrowButtons) {
    const SkinRect button = skin.ButtonRect(arrow);
    for (const std::string& key : families::MainArrowFrameKeys()) {
      const SkinRect origin = skin.Rect(families::kArrowSection, key);
      EXPECT_TRUE(picture.contains(QRect(origin.x - 1, origin.y - 1, button.w, button.h)))
          << arrow << " " << key;
    }
  }
}

TEST(ShippedSkin, PanelPicturesArePresentAndPairsMatch) {
  testing::EnsureApplication();
  std::map<std::string, QSize> sizes;
  for (const std::string& file : catalogue::PanelPictureFiles()) {
    const QImage image = Load(kSkinDir / file);
    EXPECT_FALSE(image.isNull()) << file;
    sizes[file] = image.size();
  }
  // The two states of a picture share a size, so swapping them never moves
  // anything; so do all slider faces, all progress frames and all swatches.
  auto same = [&sizes](std::string_view a, std::string_view b) {
    EXPECT_EQ(sizes[std::string(a)], sizes[std::string(b)]) << a << " / " << b;
  };
  same(catalogue::kLightSwitchOff, catalogue::kLightSwitchOn);
  same(catalogue::kMultiColourOff, catalogue::kMultiColourOn);
  for (std::size_t i = 0; i + 1 < catalogue::kDirectionPictures.size(); i += 2)
    same(catalogue::kDirectionPictures[i], catalogue::kDirectionPictures[i + 1]);
  for (std::size_t i = 1; i < catalogue::kSwatchPictures.size(); ++i)
    same(catalogue::kSwatchPictures[0], catalogue::kSwatchPictures[i]);
  same(catalogue::kBrushPictures[0], catalogue::kBrushPictures[1]);
  same(catalogue::kBrushPictures[2], catalogue::kBrushPictures[3]);
  for (int n = 2; n <= catalogue::kProgressFrameCount; ++n)
    same(catalogue::ProgressFrame(1), catalogue::ProgressFrame(n));
  for (int n = 1; n < catalogue::kSliderPictureCount; ++n)
    same(catalogue::SliderPicture(0), catalogue::SliderPicture(n));
  for (int n = 2; n <= catalogue::kPaletteSwatchCount; ++n)
    same(catalogue::PaletteSwatch(1), catalogue::PaletteSwatch(n));
  // Every position of a slider has its own face.
  for (int n = 1; n < catalogue::kSliderPictureCount; ++n)
    EXPECT_NE(Load(kSkinDir / catalogue::SliderPicture(n - 1)),
              Load(kSkinDir / catalogue::SliderPicture(n)))
        << n;
  for (std::string_view file : {catalogue::kComboArrow, catalogue::kCheckMark})
    EXPECT_FALSE(Load(kSkinDir / file).isNull()) << file;
}

// The main window hides a web link the SCREEN section gives no address
// for; a pictogram in the background would then stay as a dead icon.
TEST(ShippedSkin, WebLinkPictogramsAreOnlyInTheStatePictures) {
  testing::EnsureApplication();
  const SkinFile skin(kSkinDir / catalogue::kMainSkin);
  const QImage background = Load(skin.BackgroundPath());
  const QImage normal = Load(kSkinDir / catalogue::kMainSet.normal);
  for (const char* key : {"CONTROL_Network", "CONTROL_Facebook", "CONTROL_twitter"}) {
    const QRect r = ToQRect(skin.ButtonRect(key));
    // Plain background: every pixel as its first one, give or take the
    // picture's compression.
    QImage plain(r.size(), QImage::Format_RGB32);
    plain.fill(background.pixel(r.topLeft()));
    EXPECT_LT(LargestDifference(background.copy(r), plain, plain.rect()), 12) << key;
    // The button's own picture shows it (seen from one pixel up and left).
    EXPECT_GT(
        LargestDifference(background.copy(r), normal.copy(r.translated(-1, -1)), plain.rect()), 24)
        << key;
  }
}

TEST(ShippedSkin, MainColourPicturesMatchTheWindow) {
  testing::EnsureApplication();
  const SkinFile skin(kSkinDir / catalogue::kMainSkin);
  const QSize size = Load(skin.BackgroundPath()).size();
  EXPECT_EQ(Load(kSkinDir / catalogue::kMainColour0).size(), size);
  EXPECT_EQ(Load(kSkinDir / catalogue::kMainColour1).size(), size);
}

}  // namespace
}  // namespace quorlin::ui

namespace quorlin::ui {
namespace {

bool IsPicture(const std::filesystem::path& file) {
  const std::string ext = file.extension().string();
  return ext == ".jpg" || ext == ".png" || ext == ".bmp";
}

// Every plain picture has a twin for high-density screens at exactly twice
// its size, and the twin is the same picture: halved, it matches the plain
// one closely. No twin is left without its plain picture.
TEST(ShippedSkin, EveryPictureHasItsTwiceSizeTwin) {
  int plain_count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kSkinDir)) {
    const std::filesystem::path file = entry.path();
    if (!IsPicture(file)) continue;
    const std::string name = file.filename().string();
    if (name.find("@2x.") != std::string::npos) {
      const std::string plain = name.substr(0, name.find("@2x.")) + file.extension().string();
      EXPECT_TRUE(std::filesystem::exists(kSkinDir / plain)) << name << " has no plain picture";
      continue;
    }
    ++plain_count;
    const std::filesystem::path twin = kSkinDir / TwiceSizeName(name);
    ASSERT_TRUE(std::filesystem::exists(twin)) << name << " has no twin";
    // Compared on black, as premultiplied pixels: a picture with alpha
    // counts only what it covers.
    const QImage one = TryLoadSkinImage(file, nullptr)
                           .value_or(QImage())
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage two = TryLoadSkinImage(twin, nullptr)
                           .value_or(QImage())
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(one.isNull() || two.isNull()) << name;
    ASSERT_EQ(two.size(), one.size() * 2) << name;
    const QImage halved = two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double total = 0;
    for (int y = 0; y < one.height(); ++y)
      for (int x = 0; x < one.width(); ++x) {
        const QRgb p = one.pixel(x, y), q = halved.pixel(x, y);
        total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                 std::abs(qBlue(p) - qBlue(q));
      }
    EXPECT_LT(total / (3.0 * one.width() * one.height()), 8.0) << name << " differs from its twin";
  }
  EXPECT_GT(plain_count, 100);
}

}  // namespace
}  // namespace quorlin::ui
