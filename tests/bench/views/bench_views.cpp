// Figures of the main window's views: how long they take to build, how
// many bytes of pictures their buttons keep against the full-window
// pictures they came from, and what the live preview costs in CPU while it
// runs and while the window is hidden. Prints figures, asserts nothing.
//   bench_views [SECONDS]    (under a display, or QT_QPA_PLATFORM=offscreen)

#include <sys/resource.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImageReader>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "ui/main/lighting_panel_widget.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_picture.h"
#include "ui/views/views_fixture.h"

namespace {

using namespace quorlin;

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return s(u.ru_utime) + s(u.ru_stime);
}

long PeakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// Runs the event loop for `ms` without waking it itself (QTest::qWait
// polls every few milliseconds, which would be counted as the program's).
void Idle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct Load {
  double cpu_percent = 0;
  int ticks = 0;
};

Load Measure(ui::PreviewDisplay& preview, int seconds) {
  const int ticks_before = preview.Ticks();
  const double cpu_before = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  Idle(seconds * 1000);
  const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
  return {100.0 * (CpuSeconds() - cpu_before) / elapsed, preview.Ticks() - ticks_before};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

  // What the full-window pictures would take decoded all at once; the views
  // now hold only one of them at a time while they are built.
  qint64 big_bytes = 0;
  qint64 largest = 0;
  for (const std::string& file : ui::skin_catalogue::MainWindowFiles()) {
    const QSize size = QImageReader(ui::QStringFromPath(ui::testing::kSkinDir / file)).size();
    const qint64 bytes = static_cast<qint64>(size.width()) * size.height() * 4;
    big_bytes += bytes;
    largest = std::max(largest, bytes);
  }

  QElapsedTimer timer;
  timer.start();
  ui::testing::ViewsFixture f;
  const double build_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  const qint64 kept = f.keys().PictureBytes() + f.panel_widget().PictureBytes();

  std::printf("the window's %zu full-window pictures: %.1f MB all decoded, %.1f MB the largest\n",
              ui::skin_catalogue::MainWindowFiles().size(), static_cast<double>(big_bytes) / 1e6,
              static_cast<double>(largest) / 1e6);
  std::printf("views built (window, skin, keyboard read, pictures cut): %.1f ms\n", build_ms);
  std::printf("pictures the views' buttons keep: %.2f MB\n", static_cast<double>(kept) / 1e6);

  // The wave effect with the lighting view open.
  QWidget* light = f.panel_widget().Control(ui::panel_control::kLightSwitch);
  QTest::mouseClick(light, Qt::LeftButton, {}, light->rect().center());
  f.window->show();
  Idle(200);
  ui::PreviewDisplay& preview = f.views->Preview();
  const Load running = Measure(preview, seconds);
  std::printf("preview running, %d s: %.2f %% of a core, %.1f steps/s\n", seconds,
              running.cpu_percent, running.ticks / static_cast<double>(seconds));

  // What drawing costs: every key's frame to a new colour, then painted.
  {
    preview.FollowView(lighting::PanelView{});  // the timer off, the view kept
    lighting::PreviewFrame frame{};
    constexpr int kFrames = 200;
    const double before = CpuSeconds();
    for (int n = 0; n < kFrames; ++n) {
      for (auto& c : frame) c = lighting::Rgb{static_cast<uint8_t>(n), 0, 255};
      f.keys().ShowPreviewFrame(frame);
      QCoreApplication::processEvents();
    }
    std::printf("all 108 key frames recoloured and drawn: %.3f ms CPU per step\n",
                1000.0 * (CpuSeconds() - before) / kFrames);
  }

  f.window->hide();
  Idle(200);
  const Load hidden = Measure(preview, seconds);
  std::printf("window hidden, view open, %d s: %.3f %% of a core, %d preview steps, timer %s\n",
              seconds, hidden.cpu_percent, hidden.ticks, preview.Running() ? "running" : "stopped");
  std::printf("peak RSS of this program: %.1f MB\n", static_cast<double>(PeakRssKb()) / 1024.0);
  return 0;
}
