// Cost of the command layer over the simulated keyboard: the overhead of one
// transaction with a keyboard that answers at once, and a full macro-area
// write at USB full speed compared with what the wire allows.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "device/commands.h"
#include "device/device_link.h"
#include "device/keyboard_finder.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"

namespace {

using namespace quorlin;

struct Bench {
  Bench() : keyboard(std::make_shared<sim::VirtualKeyboard>()), backend(keyboard), link(backend) {
    link.Channel().SetBatchPause(std::chrono::microseconds(0));
    if (device::ConnectKeyboard(link) != device::FindResult::kFound) std::abort();
  }
  std::shared_ptr<sim::VirtualKeyboard> keyboard;
  sim::SimBackend backend;
  device::DeviceLink link;
};

void BM_TransactionOverhead(benchmark::State& state) {
  Bench b;
  device::DeviceInfo info;
  for (auto _ : state) {
    if (device::ReadDeviceInfo(b.link.Channel(), info) != device::kOk) {
      state.SkipWithError("transaction failed");
      break;
    }
    b.backend.ClearReceivedFrames();
  }
}
// The Time column is the cost of one transaction in microseconds.
BENCHMARK(BM_TransactionOverhead)->Unit(benchmark::kMicrosecond);

// The largest macro area the keyboard holds (255 x 128 bytes, just under
// 32 KiB) written with a 1 ms report interval; ratio = time / (frames x 2 x 1 ms).
void BM_MacroAreaAtFullSpeed(benchmark::State& state) {
  Bench b;
  const auto interval = std::chrono::microseconds(1000);
  b.backend.SetReportInterval(interval);
  const std::size_t size = static_cast<std::size_t>(b.link.MacroCapacity());
  std::vector<uint8_t> image(size, 0x5A);
  const std::size_t frames = (size + 55) / 56;
  const double wire_seconds = static_cast<double>(frames) * 2 * 1e-3;
  double worst = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (device::WriteMacroArea(b.link.Channel(), image) != device::kOk) {
      state.SkipWithError("write failed");
      break;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    worst = std::max(worst, took.count() / wire_seconds);
    state.SetIterationTime(took.count());
    b.backend.ClearReceivedFrames();
  }
  state.counters["bytes"] = static_cast<double>(size);
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["wire_limit_ms"] = wire_seconds * 1e3;
  state.counters["worst_ratio"] = worst;
}
BENCHMARK(BM_MacroAreaAtFullSpeed)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
