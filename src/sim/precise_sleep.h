#pragma once
// Sleeps that keep to USB-frame precision: the OS sleep alone overshoots a
// 1 ms interval by a scheduler tick, so the last stretch is spun.

#include <chrono>

namespace quorlin::sim {

void PreciseSleepFor(std::chrono::nanoseconds duration);

}  // namespace quorlin::sim
