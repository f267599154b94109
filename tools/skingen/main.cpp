// skingen: builds the program's default skin (Skin files and pictures) into
// a folder. Run at build time; everything comes from the layout tables.

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app_icons.h"
#include "panel_pictures.h"
#include "skin_writer.h"
#include "tray_icons.h"
#include "ui/skin/skin_catalogue.h"
#include "window_skins.h"

namespace {

namespace fs = std::filesystem;
using namespace quorlin::skingen;
namespace catalogue = quorlin::ui::skin_catalogue;

struct StateFile {
  std::string_view file;
  Look look;
  Variant variant;
};

// The background, the mask, the Skin file and the listed state pictures,
// drawn at `scale` (the Skin file is written once, with the plain set: its
// rectangles are the same logical pixels at every scale).
bool WriteWindow(const SkinWindow& window, const fs::path& dir, double scale,
                 const std::vector<StateFile>& states) {
  auto at = [&](std::string_view file) { return dir / ScaledFileName(file, scale); };
  bool ok = SaveJpeg(RenderBackground(window, scale), at(window.background));
  ok = SavePng(MaskPicture(window, scale), at(window.mask)) && ok;
  if (scale == 1) ok = WriteTextFile(dir / window.ini_name, SkinFileText(window)) && ok;
  for (const StateFile& state : states)
    ok = SaveJpeg(StatePicture(RenderScene(window, state.look, state.variant, scale)),
                  at(state.file)) &&
         ok;
  return ok;
}

bool WriteMain(const fs::path& dir, double scale) {
  const SkinWindow main = MainWindowSkin();
  const auto& s1 = catalogue::kMainSet;
  const auto& s2 = catalogue::kMainFlipSet;
  bool ok = WriteWindow(main, dir, scale,
                        {{s1.normal, Look::kNormal, 0},
                         {s1.over, Look::kOver, 0},
                         {s1.down, Look::kDown, 0},
                         {s1.disabled, Look::kDisable, 0},
                         {s2.normal, Look::kNormal, kMainFlipped},
                         {s2.over, Look::kOver, kMainFlipped},
                         {s2.down, Look::kDown, kMainFlipped},
                         {s2.disabled, Look::kDisable, kMainFlipped},
                         {catalogue::kMainColour0, Look::kUnlit, 0},
                         {catalogue::kMainColour1, Look::kLit, 0}});
  return SaveJpeg(MainArrowPicture(main, scale),
                  dir / ScaledFileName(catalogue::kMainArrows, scale)) &&
         ok;
}

bool WriteComposite(const fs::path& dir, double scale) {
  const SkinWindow editor = CompositeSkin();
  std::vector<StateFile> states;
  auto add_set = [&states](const catalogue::StatePictureSet& set, Variant page, bool has_disabled) {
    states.push_back({set.normal, Look::kNormal, page});
    states.push_back({set.over, Look::kOver, page});
    states.push_back({set.down, Look::kDown, page});
    if (has_disabled) states.push_back({set.disabled, Look::kDisable, page});
  };
  add_set(catalogue::kKeyPageSet, kKeyPage, false);
  add_set(catalogue::kMacroPageSet, kMacroPage, true);
  add_set(catalogue::kMacroOnlySet, kMacroOnly, true);
  add_set(catalogue::kMediaPageSet, kMediaPage, false);
  add_set(catalogue::kFunctionPageSet, kFunctionPage, false);
  return WriteWindow(editor, dir, scale, states);
}

bool WriteProfile(const fs::path& dir, double scale) {
  const auto& set = catalogue::kProfileSet;
  return WriteWindow(
      ProfileSkin(), dir, scale,
      {{set.normal, Look::kNormal, 0}, {set.over, Look::kOver, 0}, {set.down, Look::kDown, 0}});
}

bool WriteAutoProfile(const fs::path& dir, double scale) {
  const auto& set = catalogue::kAutoProfileSet;
  return WriteWindow(
      AutoProfileSkin(), dir, scale,
      {{set.normal, Look::kNormal, 0}, {set.over, Look::kOver, 0}, {set.down, Look::kDown, 0}});
}

bool WriteUpdate(const fs::path& dir, double scale) {
  const auto& set = catalogue::kUpdateSet;
  return WriteWindow(UpdateSkin(), dir, scale,
                     {{set.normal, Look::kNormal, 0}, {set.over, Look::kOver, 0}});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--app-icons")
    return AppIconsMain(argc, argv, argv[2]);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  // Drawing text needs the font database, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const fs::path dir = fs::path(argv[1]);
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "skingen: cannot create %s: %s\n", dir.string().c_str(),
                 ec.message().c_str());
    return 1;
  }
  // Every picture twice: the plain set, and the set drawn at twice the size
  // for high-density screens ("NAME@2x.EXT").
  bool ok = true;
  for (double scale : {1.0, 2.0}) {
    ok = WriteMain(dir, scale) && ok;
    ok = WriteComposite(dir, scale) && ok;
    ok = WriteProfile(dir, scale) && ok;
    ok = WriteUpdate(dir, scale) && ok;
    ok = WriteAutoProfile(dir, scale) && ok;
    ok = WritePanelPictures(dir, scale) && ok;
    ok = WriteTrayIcons(dir, scale) && ok;
  }
  return ok ? 0 : 1;
}
