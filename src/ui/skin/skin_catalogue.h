#pragma once
// The file names of the skin: the four Skin files, the state pictures each
// window prepares and the lighting panel's pictures. Header only, shared by
// the windows, the skin generator and the skin check.

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin::ui::skin_catalogue {

inline constexpr std::string_view kFolderName = "Skins";

inline constexpr std::string_view kMainSkin = "Main.ini";
inline constexpr std::string_view kCompositeSkin = "Composite.ini";
inline constexpr std::string_view kProfileSkin = "Profile.ini";
inline constexpr std::string_view kAutoProfileSkin = "AutoProfile.ini";
inline constexpr std::string_view kUpdateSkin = "UpdateDlg.ini";

// One full-window picture per button state. A set with fewer pictures names
// the one that stands in (the down picture of the profile manager is also
// its disabled picture, and so on).
struct StatePictureSet {
  std::string_view normal;
  std::string_view over;
  std::string_view down;
  std::string_view disabled;
  std::string_view selected;
};

// Main window: the first set, and the second set that the layout flip
// indicator shows while the top-row alternates are active.
inline constexpr StatePictureSet kMainSet = {"main_normal.jpg", "main_over.jpg", "main_down.jpg",
                                             "main_disable.jpg", "main_disable.jpg"};
inline constexpr StatePictureSet kMainFlipSet = {"main_normal2.jpg", "main_over2.jpg",
                                                 "main_down2.jpg", "main_disable2.jpg",
                                                 "main_disable2.jpg"};
inline constexpr std::string_view kMainArrows = "Arrow.jpg";
// A key in per-key colour mode: unlit, and lit from below.
inline constexpr std::string_view kMainColour0 = "main_color0.jpg";
inline constexpr std::string_view kMainColour1 = "main_color1.jpg";

// Composite key editor: one set per page. The sets without a picture of
// their own for a state reuse one: disabled shows normal, selected shows down.
inline constexpr StatePictureSet kKeyPageSet = {"key_normal.jpg", "key_over.jpg", "key_down.jpg",
                                                "key_normal.jpg", "key_down.jpg"};
inline constexpr StatePictureSet kMacroPageSet = {
    "macro_normal.jpg", "macro_over.jpg", "macro_down.jpg", "macro_disable.jpg", "macro_down.jpg"};
inline constexpr StatePictureSet kMacroOnlySet = {"macro2_normal.jpg", "macro2_over.jpg",
                                                  "macro2_down.jpg", "macro2_disable.jpg",
                                                  "macro2_down.jpg"};
inline constexpr StatePictureSet kMediaPageSet = {
    "media_normal.jpg", "media_over.jpg", "media_down.jpg", "media_normal.jpg", "media_down.jpg"};
inline constexpr StatePictureSet kFunctionPageSet = {"function_normal.jpg", "function_over.jpg",
                                                     "function_down.jpg", "function_normal.jpg",
                                                     "function_down.jpg"};

inline constexpr StatePictureSet kProfileSet = {"Profile_normal.jpg", "Profile_over.jpg",
                                                "Profile_down.jpg", "Profile_down.jpg",
                                                "Profile_normal.jpg"};
inline constexpr StatePictureSet kAutoProfileSet = {
    "AutoProfile_normal.jpg", "AutoProfile_over.jpg", "AutoProfile_down.jpg",
    "AutoProfile_down.jpg", "AutoProfile_normal.jpg"};
inline constexpr StatePictureSet kUpdateSet = {"update_normal.jpg", "update_over.jpg",
                                               "update_over.jpg", "update_over.jpg",
                                               "update_over.jpg"};

// The distinct files of some sets, in the order given.
inline std::vector<std::string> DistinctFiles(std::initializer_list<StatePictureSet> sets) {
  std::vector<std::string> files;
  auto add = [&files](std::string_view name) {
    for (const std::string& known : files)
      if (known == name) return;
    files.emplace_back(name);
  };
  for (const StatePictureSet& set : sets) {
    add(set.normal);
    add(set.over);
    add(set.down);
    add(set.disabled);
    add(set.selected);
  }
  return files;
}

// Every full-window picture of the main window, per-key colour looks included.
inline std::vector<std::string> MainWindowFiles() {
  std::vector<std::string> files = DistinctFiles({kMainSet, kMainFlipSet});
  files.emplace_back(kMainArrows);
  files.emplace_back(kMainColour0);
  files.emplace_back(kMainColour1);
  return files;
}

// Small pictures the plain controls' style sheet refers to.
inline constexpr std::string_view kComboArrow = "combo_arrow.png";
inline constexpr std::string_view kCheckMark = "check.png";

// Lighting panel pictures. In each pair the second is the chosen or on state.
inline constexpr std::string_view kLightSwitchOff = "dengup.bmp";
inline constexpr std::string_view kLightSwitchOn = "dengdown.bmp";
inline constexpr std::string_view kMultiColourOff = "sjsup.bmp";
inline constexpr std::string_view kMultiColourOn = "sjsdown.bmp";
inline constexpr auto kDirectionPictures = std::to_array<std::string_view>({
    "leftup.bmp", "leftdown.bmp", "rightup.bmp", "rightdown.bmp",    // most modes
    "upup.bmp", "updown.bmp", "downup.bmp", "downdown.bmp",          // vertical effect
    "kuosan.bmp", "kuosandown.bmp", "julong.bmp", "julongdown.bmp",  // spread, gather
});
inline constexpr auto kSwatchPictures = std::to_array<std::string_view>({
    "hong.bmp",
    "hongok.bmp",
    "huang.bmp",
    "huangok.bmp",
    "lv.bmp",
    "lvok.bmp",
    "lan.bmp",
    "lanok.bmp",
});
inline constexpr auto kBrushPictures = std::to_array<std::string_view>(
    {"user1up.bmp", "user1down.bmp", "user2up.bmp", "user2down.bmp"});
inline constexpr int kProgressFrameCount = 10;  // jdt1.bmp .. jdt10.bmp
inline constexpr int kSliderPictureCount = 26;  // 0.bmp .. 25.bmp
inline constexpr int kPaletteSwatchCount = 8;   // Color1.bmp .. Color8.bmp
// The brightness slider shows picture n for level n, the speed slider
// picture kSpeedSliderFirstPicture + n for position n.
inline constexpr int kSpeedSliderFirstPicture = 6;

inline std::string ProgressFrame(int n) {
  return "jdt" + std::to_string(n) + ".bmp";
}
inline std::string SliderPicture(int n) {
  return std::to_string(n) + ".bmp";
}
inline std::string PaletteSwatch(int n) {
  return "Color" + std::to_string(n) + ".bmp";
}

// Every lighting panel picture, in a stable order.
inline std::vector<std::string> PanelPictureFiles() {
  std::vector<std::string> files = {std::string(kLightSwitchOff), std::string(kLightSwitchOn),
                                    std::string(kMultiColourOff), std::string(kMultiColourOn)};
  for (std::string_view name : kDirectionPictures) files.emplace_back(name);
  for (std::string_view name : kSwatchPictures) files.emplace_back(name);
  for (std::string_view name : kBrushPictures) files.emplace_back(name);
  for (int n = 1; n <= kProgressFrameCount; ++n) files.push_back(ProgressFrame(n));
  for (int n = 0; n < kSliderPictureCount; ++n) files.push_back(SliderPicture(n));
  for (int n = 1; n <= kPaletteSwatchCount; ++n) files.push_back(PaletteSwatch(n));
  return files;
}

}  // namespace quorlin::ui::skin_catalogue
