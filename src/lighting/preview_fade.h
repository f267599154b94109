#pragma once
// How fast a lit key goes dark: every tick its brightness drops by a step
// that shrinks as the key dims, so a flash falls off quickly and leaves a
// soft tail. Each effect has its own set of steps.

#include <cstdint>

namespace quorlin::lighting {

struct FadeSteps {
  uint8_t from_128;  // brightness 128..255
  uint8_t from_64;   // 64..127
  uint8_t from_32;   // 32..63
  uint8_t from_17;   // 17..31
  uint8_t from_1;    // 1..16
};

inline constexpr FadeSteps kDefaultFade{20, 16, 10, 5, 1};  // twinkle, rain
inline constexpr FadeSteps kFastFade{80, 50, 20, 5, 1};     // bouncing lights
inline constexpr FadeSteps kShowFade{30, 20, 10, 5, 1};     // the scripted show
inline constexpr FadeSteps kCornerFade{20, 16, 10, 5, 1};   // lights from the corner

constexpr uint8_t Faded(uint8_t brightness, const FadeSteps& steps) {
  if (brightness == 0) return 0;
  uint8_t step = steps.from_1;
  if (brightness >= 128) {
    step = steps.from_128;
  } else if (brightness >= 64) {
    step = steps.from_64;
  } else if (brightness >= 32) {
    step = steps.from_32;
  } else if (brightness >= 17) {
    step = steps.from_17;
  }
  return brightness > step ? static_cast<uint8_t>(brightness - step) : 0;
}

}  // namespace quorlin::lighting
