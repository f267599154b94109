// skingallery: lays out each window from the skin with stand-in controls in
// every state and saves the pictures, or shows one window on the display.
//
//   skingallery [--skins DIR] [--language FILE] OUTPUT_FOLDER
//   skingallery [--skins DIR] --show main|editor|profile|update [--seconds N]

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "dialog_galleries.h"
#include "main_gallery.h"
#include "platform/user_folders.h"
#include "ui/skin/skin_file.h"

namespace {

namespace fs = std::filesystem;
using namespace quorlin;

struct Options {
  fs::path skins = ui::DefaultSkinDir();
  fs::path language = platform::ProgramDataDir() / "Lang0409.ini";
  fs::path output;
  std::string show;
  int seconds = 5;
};

bool Parse(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (arg == "--skins") {
      const char* v = next();
      if (!v) return false;
      o->skins = v;
    } else if (arg == "--language") {
      const char* v = next();
      if (!v) return false;
      o->language = v;
    } else if (arg == "--show") {
      const char* v = next();
      if (!v) return false;
      o->show = v;
    } else if (arg == "--seconds") {
      const char* v = next();
      if (!v) return false;
      o->seconds = std::stoi(v);
    } else if (o->output.empty()) {
      o->output = arg;
    } else {
      return false;
    }
  }
  return !o->output.empty() || !o->show.empty();
}

int Show(const Options& o, const gallery::GalleryText& text) {
  if (o.show != "main") {
    std::fprintf(stderr, "skingallery: only the main window can be shown\n");
    return 2;
  }
  gallery::MainGallery main(o.skins, text);
  main.SetEverydayState();
  main.dialog().move(40, 40);
  main.dialog().show();
  QTimer::singleShot(o.seconds * 1000, qApp, &QApplication::quit);
  return qApp->exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Options options;
  if (!Parse(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: skingallery [--skins DIR] [--language FILE] OUTPUT_FOLDER\n"
                 "       skingallery [--skins DIR] --show main [--seconds N]\n");
    return 2;
  }
  const gallery::GalleryText text(options.language);
  if (!options.show.empty()) return Show(options, text);

  std::error_code ec;
  fs::create_directories(options.output, ec);
  bool ok = gallery::WriteMainGallery(options.skins, text, options.output);
  ok = gallery::WriteEditorGallery(options.skins, text, options.output) && ok;
  ok = gallery::WriteProfileGallery(options.skins, text, options.output) && ok;
  ok = gallery::WriteUpdateGallery(options.skins, options.output) && ok;
  return ok ? 0 : 1;
}
