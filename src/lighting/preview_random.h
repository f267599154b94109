#pragma once
// Where the preview's random choices come from. The engine only asks for
// numbers through this interface, so tests can hand it a fixed sequence and
// get the same frames every run.

#include <cstdint>

namespace quorlin::lighting {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual uint32_t Next() = 0;

  // A value in 0..bound-1 (bound > 0).
  uint32_t Below(uint32_t bound) { return Next() % bound; }
};

// SplitMix64: small, fast and good enough for sparkles; the same start value
// gives the same sequence on every platform.
class PreviewRandom final : public RandomSource {
 public:
  explicit PreviewRandom(uint64_t start_value) : state_(start_value) {}

  uint32_t Next() override;

 private:
  uint64_t state_;
};

// A start value that differs from run to run, for the program itself.
uint64_t ClockStartValue();

}  // namespace quorlin::lighting
