// The window exerciser: the whole program on the simulated keyboard, driven
// through real input events by a repeatable random hand until every window and
// dialog has been opened, poked, answered both ways and closed each way.
// It fails on a crash, a sanitizer report (both end the process), a hang
// (the watchdog) or a simulated keyboard file that no longer loads.
//
// Usage: ui_exerciser [--sequence N] [--actions N] [--rounds N] [--interval MS]
//                     [--dismiss-after-exit]
// The last closes what is still open once Exit was asked for, so a known hang
// at exit does not hide the faults behind it; CI runs without it.

#include <unistd.h>

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "exerciser_world.h"
#include "monkey.h"
#include "request_sender.h"
#include "url_sink.h"
#include "watchdog.h"

namespace {

namespace fs = std::filesystem;
using namespace quorlin;

struct Options {
  unsigned sequence = 7;
  int actions = 9000;
  int rounds = 30;
  int interval_ms = 2;
  bool dismiss_after_exit = false;
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--dismiss-after-exit") {
      o.dismiss_after_exit = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const int value = std::atoi(argv[++i]);
    if (name == "--sequence") {
      o.sequence = static_cast<unsigned>(value);
    } else if (name == "--actions" && value > 0) {
      o.actions = value;
    } else if (name == "--rounds" && value > 0) {
      o.rounds = value;
    } else if (name == "--interval" && value >= 0) {
      o.interval_ms = value;
    } else {
      return false;
    }
  }
  return true;
}

// Programs a click could start (the on-screen keyboard, a browser for help)
// are stand-ins that do nothing, found first on the path.
void HarmlessPrograms(const fs::path& bin) {
  fs::create_directories(bin);
  for (const char* name : {"onboard", "florence", "kvkbd", "matchbox-keyboard", "xvkbd", "xdg-open",
                           "gsettings", "gio", "kde-open", "gnome-open"}) {
    std::ofstream(bin / name) << "#!/bin/sh\nexit 0\n";
    fs::permissions(bin / name, fs::perms::owner_all);
  }
  const char* path = std::getenv("PATH");
  setenv("PATH", (bin.string() + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
  unsetenv("XDG_CURRENT_DESKTOP");
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: ui_exerciser [--sequence N] [--actions N] [--rounds N] [--interval MS] "
                 "[--dismiss-after-exit]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::random_device random;
  const fs::path scratch =
      fs::temp_directory_path() /
      ("quorlin-exerciser-" + std::to_string(getpid()) + "-" + std::to_string(random() % 100000));
  fs::create_directories(scratch);
  // Everything the program writes outside its own folders (autostart entry,
  // settings of Qt's file dialog) lands here too.
  setenv("HOME", scratch.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (scratch / "share").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (scratch / "run").c_str(), 1);
  fs::create_directories(scratch / "run");
  fs::permissions(scratch / "run", fs::perms::owner_all);
  HarmlessPrograms(scratch / "bin");

  exerciser::InstallCrashReport();
  QApplication qt(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  exerciser::UrlSink urls;
  for (const char* scheme : {"file", "http", "https", "mailto"})
    QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &urls, "open");

  QElapsedTimer clock;
  clock.start();
  int status = 0;
  {
    exerciser::Watchdog watchdog(std::chrono::seconds(5));
    exerciser::RequestSender sender;
    exerciser::Monkey monkey(options.sequence, options.interval_ms, sender, watchdog);
    monkey.DismissAfterExit(options.dismiss_after_exit);
    const fs::path world_folder = scratch / "world";
    for (int round = 0; round < options.rounds && status == 0; ++round) {
      {
        exerciser::World world(world_folder);
        monkey.PlayRound(world, options.actions / options.rounds, round);
      }
      // The keyboard file the next start (or quorlinctl) reads.
      sim::VirtualKeyboard check;
      std::string error;
      if (!check.Load(world_folder / "sim-state.bin", &error)) {
        std::fprintf(stderr,
                     "exerciser: FAILED: the simulated keyboard file no longer loads after "
                     "round %d: %s\n",
                     round, error.c_str());
        status = 1;
      }
    }
    const exerciser::Counts& c = monkey.Stats();
    std::printf("exerciser: sequence %u, %ld actions in %d rounds, %.1f s\n", options.sequence,
                c.actions, options.rounds, static_cast<double>(clock.elapsed()) / 1000.0);
    std::printf(
        "  clicks %ld, double-clicks %ld, typed %ld, keys %ld, questions yes %ld / no %ld, "
        "messages %ld, "
        "files chosen %ld / cancelled %ld, reload bursts %ld, closes %ld, exits %ld, "
        "urls opened %d\n",
        c.clicks, c.double_clicks, c.typed, c.keys, c.yes, c.no, c.acknowledged, c.files_chosen,
        c.files_cancelled, c.reloads, c.closes, c.exits, urls.count);
    std::printf("  %zu distinct controls clicked; turns per window:\n", c.controls.size());
    for (const auto& [name, turns] : c.windows) std::printf("    %-40s %ld\n", name.c_str(), turns);
    std::string missed;
    for (const char* name : {"quorlin::ui::CQuorlinDlg", "quorlin::ui::Quorlin_DlgComposite",
                             "quorlin::ui::CQuorlin_DlgProfile", "quorlin::ui::CQuorlin_DlgUpdate",
                             "quorlin::ui::CAboutDlg", "quorlin::ui::ColorPopup", "QColorDialog",
                             "quorlin::ui::CAutoProfileDlg", "QMessageBox", "QFileDialog", "QMenu"})
      if (!c.windows.count(name)) missed += std::string(" ") + name;
    if (!missed.empty()) std::printf("  windows this sequence did not reach:%s\n", missed.c_str());
    std::fflush(stdout);
  }
  for (const char* scheme : {"file", "http", "https", "mailto"})
    QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  std::error_code ec;
  fs::remove_all(scratch, ec);
  if (status == 0) std::printf("exerciser: passed\n");
  return status;
}
