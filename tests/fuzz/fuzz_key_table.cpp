// Arbitrary bytes as a key table read from the keyboard and as its default
// table, on both variants and on variants with nonsense sizes: decoding must
// stay inside the buffers it is given, and a table equal to its defaults
// must decode to an empty page.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "device/keyboard_variant.h"
#include "keys/key_table.h"

namespace {

using quorlin::device::KeyboardVariant;
using quorlin::keys::KeyActionPage;

KeyboardVariant PickVariant(uint8_t selector, const uint8_t* data, std::size_t size) {
  switch (selector % 3) {
    case 0:
      return quorlin::device::kVariant0000;
    case 1:
      return quorlin::device::kVariant5000;
    default: {
      // Sizes a broken caller could pass: the decoder must clamp them.
      const int length = size > 1 ? (data[0] | data[1] << 8) - 256 : 0;
      const int count = size > 3 ? (data[2] | data[3] << 8) - 256 : 0;
      return {0x5000, length, length, count};
    }
  }
}

void CheckDefaultsDecodeToNothing(const KeyboardVariant& variant,
                                  const quorlin::device::DefaultKeyTable& defaults) {
  const std::vector<uint8_t> same(defaults.begin(), defaults.end());
  KeyActionPage page;
  KeyActionPage empty;
  quorlin::keys::ResetStorePage(empty);
  if (!quorlin::keys::DecodeKeyTable(same, variant, defaults, page) || page != empty) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const KeyboardVariant variant = PickVariant(data[0], data + 1, size - 1);
  ++data;
  --size;

  quorlin::device::DefaultKeyTable defaults{};
  const std::size_t default_bytes = std::min(size, defaults.size());
  std::copy(data, data + default_bytes, defaults.begin());
  // The device table gets exactly the remaining bytes, so any read past
  // its end lands outside the allocation.
  const std::vector<uint8_t> device(data + default_bytes, data + size);

  KeyActionPage page;
  if (quorlin::keys::DecodeKeyTable(device, variant, defaults, page)) {
    const uint32_t macro_ids[] = {1, 2, 3};
    const auto table = quorlin::keys::EncodeKeyTable(page, variant, defaults, macro_ids);
    if (table.bytes.size() != quorlin::keys::ShapeOf(variant).length) std::abort();
  }
  CheckDefaultsDecodeToNothing(variant, defaults);
  return 0;
}
