// The quorlin window's figures: cold start to an initialised window
// (offscreen), peak memory, CPU and wake-ups while hidden in the tray with
// the keyboard present, CPU while the lighting preview runs and wake-ups
// while hidden with the keyboard unplugged. Prints
// figures and asserts nothing. Usage: bench_main_window [seconds hidden]
// [seconds preview] (defaults 60 and 20).

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/keyboard_backend.h"
#include "app/quorlin_app.h"
#include "device/keyboard_finder.h"
#include "lighting/preview_engine.h"
#include "platform/large_blocks.h"
#include "platform/user_folders.h"
#include "support/simulated_window.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/skin/skin_scale.h"

namespace {

using namespace quorlin;
namespace fs = std::filesystem;

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The resident set now, from /proc (kB).
long CurrentRssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

long PeakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// Every time one of the process's threads was woken: the sum of the context
// switches of all its threads.
long long ContextSwitches() {
  long long total = 0;
  for (const auto& task : fs::directory_iterator("/proc/self/task")) {
    std::ifstream status(task.path() / "status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
          line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
        total += std::stoll(line.substr(line.find(':') + 1));
    }
  }
  return total;
}

void RunFor(int seconds) {
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
}

struct Usage {
  double cpu_percent;
  double wakeups_per_second;
};

Usage Measure(int seconds) {
  const double cpu0 = CpuSeconds();
  const long long switches0 = ContextSwitches();
  QElapsedTimer wall;
  wall.start();
  RunFor(seconds);
  const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
  // The measuring itself: one timer wake-up at the end.
  const long long switches = ContextSwitches() - switches0 - 1;
  return {100.0 * (CpuSeconds() - cpu0) / elapsed,
          static_cast<double>(std::max(0LL, switches)) / elapsed};
}

}  // namespace

int main(int argc, char** argv) {
  platform::ReturnLargeBlocksAtOnce();  // as the program's own main() does
  QElapsedTimer since_start;
  since_start.start();
  const int hidden_seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  const int preview_seconds = argc > 2 ? std::atoi(argv[2]) : 20;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  const fs::path scratch =
      fs::temp_directory_path() / ("quorlin-bench-" + std::to_string(getpid()));
  fs::create_directories(scratch);
  platform::OverrideUserFolders(platform::UserFolders{scratch / "cfg", scratch / "data"});

  QApplication qt(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  quorlin::testing::SimulatedWindow rig(scratch, /*started_hidden=*/true);
  auto& backend = rig.backend;
  auto& state = rig.state;
  ui::CQuorlinDlg& window = *rig.window;
  window.OnInitDialog();
  while (!window.Initialised()) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  const double start_ms = static_cast<double>(since_start.nsecsElapsed()) / 1e6;
  const long initialised_rss_kb = CurrentRssKb();

  // The keyboard's arrival and its reload, then quiet.
  while (window.TrayIconId() != 141 || window.Jobs().Busy())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  RunFor(1);
  const Usage hidden = Measure(hidden_seconds);

  // The lighting view open with an animated effect (the wave), the window
  // shown. With the keyboard view embedded its own preview runs; without
  // it, each step is drawn over the whole window instead.
  window.show();
  window.SetModified(false);
  auto& panel = window.Flows().Panel();
  auto& store = window.Flows().Store();
  window.RefreshLightingPanel(
      panel.OpenLightView([&store](int profile) { return store.SwitchProfile(profile) ? 1 : 0; }));
  const auto& modes = panel.View().modes;
  for (std::size_t i = 0; i < modes.size(); ++i)
    if (modes[i] == 1) window.RefreshLightingPanel(panel.SelectModeAt(static_cast<int>(i)));
  lighting::PreviewEngine engine;
  if (!window.Views().show_panel) {
    window.Views().preview_step = [&] {
      lighting::StepPreview(engine, state.lighting);
      window.update();
    };
    window.hide();
  }
  window.show();
  RunFor(1);
  const Usage preview = Measure(preview_seconds);
  window.hide();

  // The keyboard unplugged: the window waits hidden until it comes back.
  backend.Sim()->Unplug();
  while (window.TrayIconId() == 141 || window.Jobs().Busy())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  RunFor(1);
  const Usage absent = Measure(hidden_seconds);

  std::printf("screen's device pixel ratio, skin scale:      %.2f, %.2f   (QT_SCALE_FACTOR)\n",
              window.devicePixelRatioF(), ui::SkinScale());
  std::printf("cold start to window initialised (offscreen): %.0f ms   (target 250 ms)\n",
              start_ms);
  std::printf("peak RSS:                                     %.1f MB   (target 60 MB)\n",
              static_cast<double>(PeakRssKb()) / 1024.0);
  std::printf("RSS initialised (hidden), at the end:         %.1f MB, %.1f MB\n",
              static_cast<double>(initialised_rss_kb) / 1024.0,
              static_cast<double>(CurrentRssKb()) / 1024.0);
  std::printf(
      "CPU hidden in the tray, keyboard present:      %.3f %% of a core over %d s   (target 0.1 "
      "%%)\n",
      hidden.cpu_percent, hidden_seconds);
  std::printf("wake-ups per second while hidden:              %.2f   (target 0)\n",
              hidden.wakeups_per_second);
  std::printf("wake-ups per second hidden, keyboard absent:   %.2f   (target 0)\n",
              absent.wakeups_per_second);
  std::printf(
      "CPU while the preview runs:                    %.2f %% of a core over %d s   (target 3 "
      "%%)\n",
      preview.cpu_percent, preview_seconds);

  window.Exit();
  std::error_code ec;
  fs::remove_all(scratch, ec);
  return 0;
}
