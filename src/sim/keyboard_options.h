#pragma once
// What distinguishes one simulated keyboard from another when it leaves the
// factory.

#include <cstdint>

#include "device/keyboard_variant.h"

namespace quorlin::sim {

struct VirtualKeyboardOptions {
  uint16_t product_id = device::kProductId5000;
  uint16_t firmware_version = 0x0105;
  // Macro area size in 128-byte units, as the Device info record states it
  // (one byte, so at most 255 units = 32640 bytes). 0 gives a keyboard
  // without a macro area.
  uint8_t macro_capacity_units = 255;
  uint8_t active_profile = 0;  // taken as given, even outside 0..2
  // Real firmware drops frames whose checksum does not add up; answering
  // them with Status 0xFE makes a wrong checksum visible in tests.
  bool verify_checksums = true;
};

}  // namespace quorlin::sim
