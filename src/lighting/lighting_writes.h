#pragma once
// The lighting panel's writes to the keyboard. Each one is a batch of its
// own (Begin batch, the frames, End batch). Results are returned for tests
// and logs; the panel keeps its new state whatever the keyboard answers.
// A profile slot outside 0..2 is refused (kBadProfile) with nothing sent:
// its address would land in another area of the keyboard's memory.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "device/command_channel.h"
#include "device/keyboard_variant.h"
#include "device/result.h"
#include "lighting/colour.h"
#include "lighting/key_colour_table.h"

namespace quorlin::lighting {

// One field of a Lighting record: 1 to 3 bytes at an offset in the record.
struct FieldWrite {
  uint16_t offset = 0;
  std::array<uint8_t, 3> bytes{};
  std::size_t size = 1;

  static FieldWrite Byte(uint16_t offset, uint8_t value) { return {offset, {value, 0, 0}, 1}; }
  static FieldWrite Colour(uint16_t offset, Rgb c) { return {offset, {c.red, c.green, c.blue}, 3}; }
};

// Command 6 per field, in the given order, at profile_slot × 42 + offset.
// Returns the first failure of the field frames.
device::Result WriteFields(device::CommandChannel& ch, int profile_slot,
                           std::initializer_list<FieldWrite> fields);

// The colour of one LED of a profile slot.
device::Result WriteOneKeyColour(device::CommandChannel& ch, int profile_slot, int led, Rgb colour);

// The program's whole block of a profile slot, in frames of 18 LEDs.
device::Result WriteWholeKeyTable(device::CommandChannel& ch, const device::KeyboardVariant& v,
                                  const KeyColourTable& table, int profile_slot);

// The first 35 bytes of the default record over a profile slot's record.
device::Result WriteDefaultRecord(device::CommandChannel& ch, int profile_slot);

}  // namespace quorlin::lighting
