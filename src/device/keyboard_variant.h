#pragma once
// Per-product sizes of the keyboard's key tables.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorlin::device {

inline constexpr uint16_t kVendorId = 0x320F;
inline constexpr uint16_t kProductId0000 = 0x0000;
inline constexpr uint16_t kProductId5000 = 0x5000;

struct KeyboardVariant {
  uint16_t product_id = kProductId0000;
  int key_table_length = 378;  // L: bytes per profile
  int profile_stride = 378;    // S: address step between profiles
  int key_count = 126;         // K: entries of 3 bytes
};

inline constexpr KeyboardVariant kVariant0000{kProductId0000, 378, 378, 126};
inline constexpr KeyboardVariant kVariant5000{kProductId5000, 512, 512, 128};

// 0x0000 gives the small table; any other accepted product (0x5000) the large one.
constexpr KeyboardVariant VariantForProduct(uint16_t product_id) {
  return product_id == kProductId0000 ? kVariant0000 : kVariant5000;
}

constexpr bool IsKeyboardProduct(uint16_t vendor_id, uint16_t product_id) {
  return vendor_id == kVendorId && (product_id == kProductId0000 || product_id == kProductId5000);
}

inline constexpr std::size_t kMaxKeyTableLength = 512;
using DefaultKeyTable = std::array<uint8_t, kMaxKeyTableLength>;

}  // namespace quorlin::device
