#pragma once
// Little-endian fields of the keyboard's and the files' records.

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorlin::keys::le {

inline uint16_t Read16(std::span<const uint8_t> bytes, std::size_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline uint32_t Read32(std::span<const uint8_t> bytes, std::size_t at) {
  return static_cast<uint32_t>(Read16(bytes, at)) |
         (static_cast<uint32_t>(Read16(bytes, at + 2)) << 16);
}

inline void Write16(std::span<uint8_t> bytes, std::size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void Write32(std::span<uint8_t> bytes, std::size_t at, uint32_t value) {
  Write16(bytes, at, static_cast<uint16_t>(value));
  Write16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

}  // namespace quorlin::keys::le
