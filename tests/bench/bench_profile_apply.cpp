// An apply that fills the keyboard's whole macro area (255 x 128 bytes)
// and writes the Active profile's key table, against the simulated keyboard
// with a 1 ms report interval as a full-speed USB endpoint gives. The wire
// limit is one output and one input report per frame: frames x 2 x 1 ms.
// The pause before End batch is set to zero here, as it is a wait for the
// keyboard's flash, not time on the wire.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "device/commands.h"
#include "device/device_link.h"
#include "device/keyboard_finder.h"
#include "macros/macro_area.h"
#include "macros/macro_name.h"
#include "macros/message_view.h"
#include "profiles/apply_settings.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"
#include "text/text_source.h"

namespace {

using namespace quorlin;

class NoTexts : public text::TextSource {
 public:
  std::string Text(std::string_view) const override { return {}; }
  std::string LightText(std::string_view) const override { return {}; }
  std::string ModeName(int) const override { return {}; }
};

class CountingMessages : public macros::MessageView {
 public:
  void ShowMessage(std::string_view) override { ++shown; }
  bool AskYesNo(std::string_view) override { return false; }
  int shown = 0;
};

// Macros with names whose full image is exactly `capacity` bytes.
macros::MacroList FillingMacros(std::size_t capacity) {
  macros::MacroList list;
  std::size_t size = macros::kMacroAreaHeaderSize;
  // Blocks of 2 + 4 + 4 x 40 events + 2 x 4 name units = 174 bytes.
  while (list.size() < macros::kMaxMacros && size + 2 + 4 + 160 + 8 <= capacity) {
    macros::MacroRecord& m = list.emplace_back();
    macros::SetMacroName(m, "Mcro");
    m.identifier = static_cast<uint16_t>(list.size());
    m.event_count = 40;
    for (uint16_t e = 0; e < 40; ++e) m.events[e] = {10, 0x1E, static_cast<uint16_t>(e % 2)};
    size += 2 + 4 + 160 + 8;
  }
  // The rest goes into the last macro's events.
  const std::size_t spare = (capacity - size) / 4;
  macros::MacroRecord& last = list.back();
  for (std::size_t e = 0; e < spare; ++e) last.events[last.event_count++] = {10, 0x1F, 0};
  return list;
}

struct Bench {
  Bench() : keyboard(std::make_shared<sim::VirtualKeyboard>()), backend(keyboard), link(backend) {
    link.Channel().SetBatchPause(std::chrono::microseconds(0));
    if (device::ConnectKeyboard(link) != device::FindResult::kFound) std::abort();
    link.ActiveProfile();
    profiles::MakeEmptyProfileImage(0, working);
    working.macro_list = FillingMacros(static_cast<std::size_t>(link.MacroCapacity()));
    for (std::size_t r = 0; r < 100; ++r) {
      working.actions.pages[0][r] = {
          .kind = keys::KeyActionKind::kMacro,
          .param = static_cast<uint32_t>(r % working.macro_list.size() + 1)};
    }
  }
  std::shared_ptr<sim::VirtualKeyboard> keyboard;
  sim::SimBackend backend;
  device::DeviceLink link;
  profiles::WorkingContents working;
  profiles::AppliedStore applied;
  macros::MacroDeletedFlag deleted;
  NoTexts texts;
  CountingMessages messages;
};

void BM_ApplyFullMacroAreaAtFullSpeed(benchmark::State& state) {
  Bench b;
  b.backend.SetReportInterval(std::chrono::microseconds(1000));
  double worst = 0;
  double frames = 0;
  for (auto _ : state) {
    b.backend.ClearReceivedFrames();
    const auto start = std::chrono::steady_clock::now();
    if (!profiles::ApplySettings(b.working, false,
                                 {b.link, b.applied, b.deleted, b.texts, b.messages})) {
      state.SkipWithError("apply failed");
      break;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    frames = static_cast<double>(b.backend.ReceivedFrames().size());
    worst = std::max(worst, took.count() / (frames * 2 * 1e-3));
    state.SetIterationTime(took.count());
  }
  if (b.messages.shown != 0) state.SkipWithError("the macros did not fit with their names");
  state.counters["area_bytes"] = static_cast<double>(b.link.MacroCapacity());
  state.counters["frames"] = frames;
  state.counters["wire_limit_ms"] = frames * 2;
  state.counters["worst_ratio"] = worst;
}
BENCHMARK(BM_ApplyFullMacroAreaAtFullSpeed)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
