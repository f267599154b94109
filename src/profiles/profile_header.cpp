#include "profiles/profile_header.h"

#include <algorithm>
#include <numeric>

#include "keys/little_endian.h"

namespace quorlin::profiles {
namespace {

namespace le = keys::le;

constexpr std::size_t kMagicAt = 0;
constexpr std::size_t kHeaderSizeAt = 2;
constexpr std::size_t kProfileCountAt = 4;
constexpr std::size_t kVersionAt = 6;
constexpr std::size_t kTotalSizeAt = 8;
constexpr std::size_t kKeyActionCountAt = 12;
constexpr std::size_t kMacroCountAt = 14;
constexpr std::size_t kPoolSizeAt = 16;
constexpr std::size_t kReservedAt = 20;  // 8 bytes, then 2 more at 28
constexpr std::size_t kReservedEnd = 30;
constexpr std::size_t kFlagAt = 30;
constexpr std::size_t kChecksumAt = 31;
static_assert(kChecksumAt + 1 == kProfileHeaderSize);

}  // namespace

const std::array<uint8_t, kFormatTagSize> kFormatTagBlock{
    0x4B, 0x48, 0x20, 0x00, 0x20, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00,
    0x0F, 0x32, 0x00, 0x00, 0x4F, 0x1C, 0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

ProfileHeader DecodeProfileHeader(ConstHeaderBytes in) {
  return {.magic = le::Read16(in, kMagicAt),
          .header_size = le::Read16(in, kHeaderSizeAt),
          .profile_count = le::Read16(in, kProfileCountAt),
          .format_version = le::Read16(in, kVersionAt),
          .total_size = le::Read32(in, kTotalSizeAt),
          .key_action_count = le::Read16(in, kKeyActionCountAt),
          .macro_count = le::Read16(in, kMacroCountAt),
          .pool_size = le::Read32(in, kPoolSizeAt),
          .flag = in[kFlagAt],
          .checksum = in[kChecksumAt]};
}

uint8_t HeaderChecksum(ConstHeaderBytes header) {
  const auto summed = header.first<kChecksumAt>();
  return static_cast<uint8_t>(std::accumulate(summed.begin(), summed.end(), 0u));
}

void WriteProfileHeader(HeaderBytes header, uint16_t macro_count, uint32_t pool_size,
                        uint8_t flag) {
  le::Write16(header, kMagicAt, kProfileMagic);
  le::Write16(header, kHeaderSizeAt, static_cast<uint16_t>(kProfileHeaderSize));
  le::Write16(header, kProfileCountAt, kProfileCountInImage);
  le::Write16(header, kVersionAt, kProfileFormatVersion);
  // Callers keep the image below 4 GiB; the field holds what they ask for.
  le::Write32(header, kTotalSizeAt, static_cast<uint32_t>(ImageSize(macro_count, pool_size)));
  le::Write16(header, kKeyActionCountAt, kKeyActionCountInImage);
  le::Write16(header, kMacroCountAt, macro_count);
  le::Write32(header, kPoolSizeAt, pool_size);
  std::fill(header.begin() + kReservedAt, header.begin() + kReservedEnd, uint8_t{0});
  header[kFlagAt] = flag;
  header[kChecksumAt] = HeaderChecksum(header);
}

}  // namespace quorlin::profiles
