// How the window holds under load, on the simulated keyboard with the real
// device worker (a plain timing program; prints figures, asserts nothing):
//  - the longest the UI thread goes without an event-loop turn while a full
//    Apply runs and the language is switched meanwhile (goal 50 ms);
//  - the time from a KILL request (what `quorlin --kill` sends) to the end
//    of the window's loop, with a question open, and with 1000 RELOADs
//    queued (goal 1 s each).
// Usage: bench_window_hold [repeats] (default 3)

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "exerciser_world.h"
#include "macros/macro_area.h"
#include "macros/macro_name.h"
#include "platform/instance_channel.h"
#include "ui/main/main_window_ids.h"

namespace {

namespace fs = std::filesystem;
using namespace quorlin;
using Clock = std::chrono::steady_clock;

constexpr double kGiveUpSeconds = 120;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Macros whose image fills the keyboard's whole macro area (as the apply
// benchmark builds them), so the Apply writes all of it.
macros::MacroList FillingMacros(std::size_t capacity) {
  macros::MacroList list;
  std::size_t size = macros::kMacroAreaHeaderSize;
  while (list.size() < macros::kMaxMacros && size + 2 + 4 + 160 + 8 <= capacity) {
    macros::MacroRecord& m = list.emplace_back();
    macros::SetMacroName(m, "Mcro");
    m.identifier = static_cast<uint16_t>(list.size());
    m.event_count = 40;
    for (uint16_t e = 0; e < 40; ++e) m.events[e] = {10, 0x1E, static_cast<uint16_t>(e % 2)};
    size += 2 + 4 + 160 + 8;
  }
  const std::size_t spare = (capacity - size) / 4;
  macros::MacroRecord& last = list.back();
  for (std::size_t e = 0; e < spare; ++e) last.events[last.event_count++] = {10, 0x1F, 0};
  return list;
}

template <typename Pred>
bool SpinUntil(Pred done, int limit_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limit_ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Waits for the keyboard's arrival and shows the window, as a user sees it.
void Arrive(exerciser::World& world) {
  world.window->OnInitDialog();
  SpinUntil(
      [&] { return world.link->last_presence_state.load() == 1 && !world.window->Jobs().Busy(); },
      10000);
  world.window->show();
  SpinUntil([&] { return !world.window->Jobs().Busy(); }, 10000);
}

void Click(QWidget* w) {
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

// The longest gap between turns of the UI thread's event loop while a full
// Apply runs, the language picker switched a few milliseconds into it.
double WorstGapDuringApply(const fs::path& folder) {
  exerciser::World world(folder);
  Arrive(world);
  QComboBox* picker =
      qobject_cast<QComboBox*>(world.window->Control(ui::main_ids::kIdLanguagePicker));
  {
    // Every macro slot full and 100 keys on them: the Apply writes the
    // whole macro area and the key table.
    const std::size_t capacity = static_cast<std::size_t>(world.link->MacroCapacity());
    auto working = world.state.working.Lock();
    working->macro_list = FillingMacros(capacity);
    const auto page = static_cast<std::size_t>(std::max(0, world.link->CachedActiveProfile()));
    for (std::size_t r = 0; r < 100; ++r)
      working->actions.pages[page][r] = {
          .kind = keys::KeyActionKind::kMacro,
          .param = static_cast<uint32_t>(r % working->macro_list.size() + 1)};
  }
  world.window->SetModified(true);
  Clock::time_point last = Clock::now();
  Clock::duration worst{};
  QTimer beat;
  QObject::connect(&beat, &QTimer::timeout, [&] {
    const Clock::time_point now = Clock::now();
    worst = std::max(worst, now - last);
    last = now;
  });
  beat.start(1);
  QTimer::singleShot(15, [&] {
    if (picker == nullptr || !picker->isEnabled()) return;
    // As a user picks the next language with the keyboard.
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_Down);
  });
  const int language = picker ? picker->currentIndex() : -1;
  last = Clock::now();
  const Clock::time_point start = last;
  Click(world.window->Button(ui::main_ids::kIdApply));
  SpinUntil([&] { return !world.window->Jobs().Busy(); }, 60000);
  std::printf("  Apply took %.0f ms (%d frames); the language %s\n", Ms(Clock::now() - start),
              world.window->FramesOfThisWrite(),
              picker && picker->currentIndex() != language ? "was switched meanwhile"
                                                           : "could not be switched meanwhile");
  // A relabel still queued counts too.
  SpinUntil([] { return false; }, 100);
  beat.stop();
  world.window->Exit();
  return Ms(worst);
}

// From a KILL sent through the instance channel to the end of the window's
// loop, after `prepare` set the scene; a window that never ends ends this
// program with a line that says so.
// `kill_after_ms`: KILL goes that long after the scene was set, for a scene
// that only settles inside a modal loop (a question the worker asks).
template <typename Prepare>
double KillToExit(const fs::path& folder, Prepare prepare, int kill_after_ms = 0) {
  exerciser::World world(folder);
  std::atomic<bool> ended{false};
  std::atomic<Clock::rep> sent_at{0};
  std::thread killer;
  QTimer::singleShot(0, [&] {
    // Inside the program's loop: the keyboard arrives, the scene is set,
    // then KILL is sent as `quorlin --kill` sends it.
    SpinUntil([&] { return world.link->last_presence_state.load() == 1; }, 10000);
    world.window->show();
    SpinUntil([&] { return !world.window->Jobs().Busy(); }, 10000);
    prepare(world);
    killer = std::thread([&, kill_after_ms] {
      std::this_thread::sleep_for(std::chrono::milliseconds(kill_after_ms));
      sent_at = Clock::now().time_since_epoch().count();
      platform::SendInstanceRequestTo(world.socket, "KILL", 60000);
    });
  });
  std::thread give_up([&] {
    while (!ended.load()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      const Clock::rep at = sent_at.load();
      if (at != 0 &&
          Ms(Clock::now() - Clock::time_point(Clock::duration(at))) > kGiveUpSeconds * 1000) {
        std::printf("KILL to exit: the window had not ended %.0f s after KILL; it hangs\n",
                    kGiveUpSeconds);
        std::fflush(stdout);
        std::_Exit(1);
      }
    }
  });
  world.window->RunUntilExit();
  const double ms = Ms(Clock::now() - Clock::time_point(Clock::duration(sent_at.load())));
  ended = true;
  if (killer.joinable()) killer.join();
  give_up.join();
  return ms;
}

void PrintFigure(const char* what, std::vector<double> runs, double goal) {
  std::sort(runs.begin(), runs.end());
  std::printf("%-52s median %8.1f ms, worst %8.1f ms   (goal %.0f ms)%s\n", what,
              runs[runs.size() / 2], runs.back(), goal, "");
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::random_device random;
  const fs::path scratch =
      fs::temp_directory_path() /
      ("quorlin-bench-hold-" + std::to_string(getpid()) + "-" + std::to_string(random() % 100000));
  setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (scratch / "share").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (scratch / "run").c_str(), 1);
  fs::create_directories(scratch / "run");
  fs::permissions(scratch / "run", fs::perms::owner_all);
  QApplication qt(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  // Each figure is printed once measured: the last one may hang for good.
  std::vector<double> gaps, with_question, with_reloads;
  for (int i = 0; i < repeats; ++i)
    gaps.push_back(WorstGapDuringApply(scratch / ("gap" + std::to_string(i))));
  PrintFigure("worst event-loop gap, full Apply + language switch:", gaps, 50);
  for (int i = 0; i < repeats; ++i) {
    with_reloads.push_back(
        KillToExit(scratch / ("reloads" + std::to_string(i)), [](exerciser::World& w) {
          // As 1000 quorlinctl runs would ask, each waiting for its answer;
          // the window answers each once its reload is queued.
          std::atomic<int> answered{0};
          std::atomic<bool> stop{false};
          std::atomic<bool> finished{false};
          std::thread sender([&w, &answered, &stop, &finished] {
            for (int n = 0; n < 1000 && !stop.load(); ++n) {
              platform::SendInstanceRequestTo(w.socket, "RELOAD", 5000);
              answered.fetch_add(1);
            }
            finished = true;
          });
          const Clock::time_point start = Clock::now();
          SpinUntil([&answered] { return answered.load() == 1000; }, 120000);
          const int sent = answered.load();
          stop = true;
          // The request on its way is answered here, not waited for blocked.
          SpinUntil([&finished] { return finished.load(); }, 6000);
          std::printf("  %d RELOADs answered in %.0f ms before KILL\n", sent,
                      Ms(Clock::now() - start));
          sender.join();
        }));
  }
  PrintFigure("KILL to exit, 1000 RELOADs queued:", with_reloads, 1000);
  for (int i = 0; i < repeats; ++i) {
    with_question.push_back(KillToExit(
        scratch / ("question" + std::to_string(i)),
        [](exerciser::World& w) {
          // Restore defaults asks first; the question stays open (its
          // loop runs below this one, so KILL comes from the thread).
          Click(w.window->Button(ui::main_ids::kIdRestoreDefaults));
        },
        500));
  }
  PrintFigure("KILL to exit, a question open:", with_question, 1000);
  std::error_code ec;
  fs::remove_all(scratch, ec);
  return 0;
}
