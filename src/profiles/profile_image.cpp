#include "profiles/profile_image.h"

#include <algorithm>
#include <limits>

#include "profiles/string_pool.h"

namespace quorlin::profiles {
namespace {

using macros::kMacroRecordSize;

constexpr uint64_t kMaxImageSize = std::numeric_limits<uint32_t>::max();

std::span<const uint8_t, keys::kStoreBytes> StoreBytes(std::span<const uint8_t> image) {
  return image.subspan(kHeaderBlockSize).first<keys::kStoreBytes>();
}

macros::ConstMacroRecordBytes RecordBytes(std::span<const uint8_t> image, std::size_t index) {
  return image.subspan(kImageFixedSize + index * kMacroRecordSize).first<kMacroRecordSize>();
}

bool DecodeMacroRecords(std::span<const uint8_t> image, std::size_t count,
                        macros::MacroList& list) {
  list.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    list.emplace_back();
    if (macros::DecodeMacroRecord(RecordBytes(image, i), list.back()) !=
        macros::MacroRecordProblem::kNone) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string_view DescribeFault(ImageFault fault) {
  switch (fault) {
    case ImageFault::kNone:
      return "no fault";
    case ImageFault::kTooShort:
      return "shorter than the fixed part of an image";
    case ImageFault::kMagic:
      return "wrong magic";
    case ImageFault::kHeaderSize:
      return "wrong header size";
    case ImageFault::kProfileCount:
      return "wrong profile count";
    case ImageFault::kFormatVersion:
      return "wrong format version";
    case ImageFault::kTotalBelowMinimum:
      return "total size below the fixed part";
    case ImageFault::kKeyActionCount:
      return "wrong Key action count";
    case ImageFault::kMacroCount:
      return "more than 100 macros";
    case ImageFault::kFlag:
      return "flag above 1";
    case ImageFault::kTotalMismatch:
      return "total size is not the sum of the parts";
    case ImageFault::kChecksum:
      return "wrong header checksum";
    case ImageFault::kTruncated:
      return "ends before its declared total size";
    case ImageFault::kBadMacroRecord:
      return "a macro record cannot be read";
    case ImageFault::kTextOutsidePool:
      return "a text lies outside the string pool";
    case ImageFault::kTooLarge:
      return "too large for a profile image";
  }
  return "unknown fault";
}

ImageFault CheckProfileHeader(ConstHeaderBytes bytes) {
  const ProfileHeader h = DecodeProfileHeader(bytes);
  if (h.magic != kProfileMagic) return ImageFault::kMagic;
  if (h.header_size != kProfileHeaderSize) return ImageFault::kHeaderSize;
  if (h.profile_count != kProfileCountInImage) return ImageFault::kProfileCount;
  if (h.format_version != kProfileFormatVersion) return ImageFault::kFormatVersion;
  if (h.total_size < kImageFixedSize) return ImageFault::kTotalBelowMinimum;
  if (h.key_action_count != kKeyActionCountInImage) return ImageFault::kKeyActionCount;
  if (h.macro_count > kMaxMacrosInImage) return ImageFault::kMacroCount;
  if (h.flag > kMaxProfileFlag) return ImageFault::kFlag;
  if (h.total_size != ImageSize(h.macro_count, h.pool_size)) return ImageFault::kTotalMismatch;
  if (h.checksum != HeaderChecksum(bytes)) return ImageFault::kChecksum;
  return ImageFault::kNone;
}

ImageFault CheckProfileImage(std::span<const uint8_t> image) {
  if (image.size() < kImageFixedSize) return ImageFault::kTooShort;
  const ImageFault header = CheckProfileHeader(image.first<kProfileHeaderSize>());
  if (header != ImageFault::kNone) return header;
  // The loader's own checks cover the parts behind the header, so what
  // passes here is exactly what loads.
  WorkingContents scratch;
  return DecodeProfileImage(image, scratch);
}

ImageFault DecodeProfileImage(std::span<const uint8_t> image, WorkingContents& working) {
  if (image.size() < kImageFixedSize) return ImageFault::kTooShort;
  const ProfileHeader h = DecodeProfileHeader(image.first<kProfileHeaderSize>());
  if (h.macro_count > kMaxMacrosInImage) return ImageFault::kMacroCount;
  if (image.size() < ImageSize(h.macro_count, h.pool_size)) return ImageFault::kTruncated;

  WorkingContents fresh;
  std::copy_n(image.begin(), kHeaderBlockSize, fresh.header.begin());
  keys::DecodeKeyActionStore(StoreBytes(image), fresh.actions);
  if (!DecodeMacroRecords(image, h.macro_count, fresh.macro_list)) {
    return ImageFault::kBadMacroRecord;
  }
  const auto pool = image.subspan(ImageSize(h.macro_count, 0), h.pool_size);
  if (!PoolTextsInside(fresh.actions, pool) ||
      !UnpackStringPool(fresh.actions, pool, fresh.texts)) {
    return ImageFault::kTextOutsidePool;
  }
  working = std::move(fresh);
  return ImageFault::kNone;
}

ImageFault EncodeProfileImage(WorkingContents& working, std::vector<uint8_t>& image) {
  const std::size_t macro_count = working.macro_list.size();
  // A file with more macros would be refused by our own check.
  if (macro_count > kMaxMacrosInImage) return ImageFault::kMacroCount;
  keys::KeyActionStore actions = working.actions;
  std::vector<uint8_t> pool = PackStringPool(actions, working.texts);
  const uint64_t size = ImageSize(macro_count, pool.size());
  if (size > kMaxImageSize) return ImageFault::kTooLarge;

  working.actions = actions;
  WriteProfileHeader(HeaderOf(working.header), static_cast<uint16_t>(macro_count),
                     static_cast<uint32_t>(pool.size()), 0);
  image.assign(static_cast<std::size_t>(size), 0);
  const std::span<uint8_t> out(image);
  std::copy(working.header.begin(), working.header.end(), out.begin());
  keys::EncodeKeyActionStore(working.actions,
                             out.subspan(kHeaderBlockSize).first<keys::kStoreBytes>());
  for (std::size_t i = 0; i < macro_count; ++i) {
    macros::EncodeMacroRecord(
        working.macro_list[i],
        out.subspan(kImageFixedSize + i * kMacroRecordSize).first<kMacroRecordSize>());
  }
  std::copy(pool.begin(), pool.end(),
            out.begin() + static_cast<std::ptrdiff_t>(ImageSize(macro_count, 0)));
  return ImageFault::kNone;
}

}  // namespace quorlin::profiles
