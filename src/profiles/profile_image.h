#pragma once
// A profile image as bytes: the header block, the Key action store, the
// macro records and the string pool, as files hold it. Pure functions; the
// file operations are built on them.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "profiles/profile_header.h"
#include "profiles/profile_stores.h"

namespace quorlin::profiles {

// What is wrong with an image. The header faults come in the order in which
// they are checked; the rest concern the parts behind the header.
enum class ImageFault {
  kNone,
  kTooShort,  // shorter than header block and Key action store
  kMagic,
  kHeaderSize,
  kProfileCount,
  kFormatVersion,
  kTotalBelowMinimum,
  kKeyActionCount,
  kMacroCount,
  kFlag,
  kTotalMismatch,  // total size is not the sum of the parts
  kChecksum,
  kTruncated,        // the bytes end before the declared total
  kBadMacroRecord,   // event count above 4000 or a name without terminator
  kTextOutsidePool,  // a text's offset or terminator lies outside the pool
  kTooLarge,         // an image to write would not fit its 32-bit size field
};

// A short English description for logs and tests.
std::string_view DescribeFault(ImageFault fault);

// The checks made on the header fields of a user's file, in their order.
ImageFault CheckProfileHeader(ConstHeaderBytes header);

// Every check a user's file must pass before it is loaded.
ImageFault CheckProfileImage(std::span<const uint8_t> image);

// Fills `working` from image bytes. The header fields are not judged (the
// program's own host copies are loaded this way), but nothing is read that
// the header does not declare and the bytes do not hold, so a damaged file
// gives a fault and leaves `working` as it was.
ImageFault DecodeProfileImage(std::span<const uint8_t> image, WorkingContents& working);

// The image of `working`, as a save writes it: the header rewritten for the
// current macro count and pool, the texts packed and their Key actions'
// params pointed at them (in `working` too, as the file has them). kTooLarge
// leaves `working` unchanged.
ImageFault EncodeProfileImage(WorkingContents& working, std::vector<uint8_t>& image);

}  // namespace quorlin::profiles
