#include "sim/precise_sleep.h"

#include <thread>

namespace quorlin::sim {

namespace {
// How much of the wait is spun rather than slept.
constexpr std::chrono::microseconds kSpinMargin{100};
}  // namespace

void PreciseSleepFor(std::chrono::nanoseconds duration) {
  if (duration <= std::chrono::nanoseconds::zero()) return;
  const auto deadline = std::chrono::steady_clock::now() + duration;
  if (duration > kSpinMargin) std::this_thread::sleep_until(deadline - kSpinMargin);
  while (std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
}

}  // namespace quorlin::sim
