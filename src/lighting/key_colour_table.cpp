#include "lighting/key_colour_table.h"

namespace quorlin::lighting {

Rgb ColourAt(const KeyColourTable& table, int profile_slot, int led) {
  if (!ValidProfileSlot(profile_slot) || !ValidLed(led)) return kBlack;
  const ColourBlock& block = table.blocks[static_cast<std::size_t>(profile_slot)];
  const auto at = static_cast<std::size_t>(led) * 3;
  return Rgb{block[at], block[at + 1], block[at + 2]};
}

void SetColourAt(KeyColourTable& table, int profile_slot, int led, Rgb colour) {
  if (!ValidProfileSlot(profile_slot) || !ValidLed(led)) return;
  ColourBlock& block = table.blocks[static_cast<std::size_t>(profile_slot)];
  const auto at = static_cast<std::size_t>(led) * 3;
  block[at] = colour.red;
  block[at + 1] = colour.green;
  block[at + 2] = colour.blue;
}

}  // namespace quorlin::lighting
