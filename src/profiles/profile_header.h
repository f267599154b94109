#pragma once
// The 32-byte header that opens every profile image, and the constant
// format tag block that follows it. Together they are the image's 64-byte
// header block.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "keys/key_action_store.h"
#include "macros/macro_record.h"

namespace quorlin::profiles {

inline constexpr std::size_t kProfileHeaderSize = 32;
inline constexpr std::size_t kFormatTagSize = 32;
inline constexpr std::size_t kHeaderBlockSize = kProfileHeaderSize + kFormatTagSize;
// Header block and Key action store: where the macro records start.
inline constexpr std::size_t kImageFixedSize = kHeaderBlockSize + keys::kStoreBytes;
static_assert(kHeaderBlockSize == 64 && kImageFixedSize == 32832);
static_assert(macros::kMacroRecordSize == 0x7F00);

inline constexpr uint16_t kProfileMagic = 0x4446;  // "FD"
inline constexpr uint16_t kProfileCountInImage = 3;
inline constexpr uint16_t kProfileFormatVersion = 1;
inline constexpr uint16_t kKeyActionCountInImage = keys::kStoreRecords;
inline constexpr uint16_t kMaxMacrosInImage = macros::kMaxMacros;
inline constexpr uint8_t kMaxProfileFlag = 1;

using HeaderBytes = std::span<uint8_t, kProfileHeaderSize>;
using ConstHeaderBytes = std::span<const uint8_t, kProfileHeaderSize>;
using HeaderBlock = std::array<uint8_t, kHeaderBlockSize>;

// Written by every writer, never checked by a reader.
extern const std::array<uint8_t, kFormatTagSize> kFormatTagBlock;

struct ProfileHeader {
  uint16_t magic = 0;
  uint16_t header_size = 0;
  uint16_t profile_count = 0;
  uint16_t format_version = 0;
  uint32_t total_size = 0;
  uint16_t key_action_count = 0;
  uint16_t macro_count = 0;
  uint32_t pool_size = 0;
  uint8_t flag = 0;
  uint8_t checksum = 0;
};

ProfileHeader DecodeProfileHeader(ConstHeaderBytes in);

// Sum of bytes 0..30, wrapping at 256.
uint8_t HeaderChecksum(ConstHeaderBytes header);

// The size an image with these parts has; 64-bit so that no header value
// can make it wrap.
constexpr uint64_t ImageSize(uint64_t macro_count, uint64_t pool_size) {
  return kImageFixedSize + macro_count * macros::kMacroRecordSize + pool_size;
}

// Fills the 32 header bytes as a writer must (reserved bytes zero), the
// checksum last.
void WriteProfileHeader(HeaderBytes header, uint16_t macro_count, uint32_t pool_size, uint8_t flag);

// The header bytes of a header block.
inline HeaderBytes HeaderOf(HeaderBlock& block) {
  return std::span(block).first<kProfileHeaderSize>();
}
inline ConstHeaderBytes HeaderOf(const HeaderBlock& block) {
  return std::span(block).first<kProfileHeaderSize>();
}

}  // namespace quorlin::profiles
