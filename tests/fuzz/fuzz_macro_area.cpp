// Arbitrary bytes as a macro area read from the keyboard. Decoding must stay
// inside the bytes it is given, keep within a record's limits, and what it
// gives must survive being built into an image and decoded again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_code.h"
#include "keys/little_endian.h"
#include "macros/macro_area.h"
#include "macros/macro_name.h"
#include "text/text_source.h"

namespace {

using quorlin::macros::MacroList;

class FixedTexts : public quorlin::text::TextSource {
 public:
  std::string Text(std::string_view) const override { return "Macro "; }
  std::string LightText(std::string_view) const override { return {}; }
  std::string ModeName(int) const override { return {}; }
};

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckLimits(const MacroList& list) {
  Check(list.size() <= quorlin::macros::kMaxMacros);
  for (std::size_t i = 0; i < list.size(); ++i) {
    Check(list[i].identifier == i + 1);
    Check(list[i].event_count <= quorlin::macros::kMaxMacroEvents);
    Check(!quorlin::macros::MacroNameUnits(list[i]).empty());
  }
}

// Only G-keys have no form inside a macro; every other key comes back.
void CheckSurvivesRebuild(const MacroList& first, const FixedTexts& texts) {
  const auto image = quorlin::macros::BuildMacroArea(first, true);
  if (!image) return;  // too big for the length field: the apply refuses it
  MacroList second;
  Check(quorlin::macros::DecodeMacroArea(*image, texts, second) ==
        quorlin::macros::MacroAreaProblem::kNone);
  Check(second.size() == first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    Check(second[i].play_count == first[i].play_count);
    Check(second[i].name == first[i].name);
    Check(second[i].event_count == first[i].event_count);
    for (std::size_t e = 0; e < first[i].event_count; ++e) {
      const auto& a = first[i].events[e];
      const auto& b = second[i].events[e];
      Check(a.delay == b.delay && a.direction == b.direction);
      Check(a.key == b.key || (quorlin::keys::IsGKeyCode(a.key) && b.key == 0));
    }
  }
}

void DecodeAndCheck(std::span<const uint8_t> image, const FixedTexts& texts) {
  MacroList list;
  quorlin::macros::DecodeMacroArea(image, texts, list);
  CheckLimits(list);
  CheckSurvivesRebuild(list, texts);
}

}  // namespace

// The input once as it is, and once with the area's marker written over its
// first bytes: left to itself the fuzzer did not guess the marker in a whole
// run, so it never reached the records behind it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const FixedTexts texts;
  const std::span<const uint8_t> input(data, size);
  DecodeAndCheck(input, texts);
  if (size >= quorlin::macros::kMacroAreaHeaderSize) {
    std::vector<uint8_t> marked(input.begin(), input.end());
    quorlin::keys::le::Write16(marked, 0, quorlin::macros::kMacroAreaMagic);
    DecodeAndCheck(marked, texts);
  }
  return 0;
}
