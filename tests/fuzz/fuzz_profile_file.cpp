// Arbitrary bytes as a profile file: the check of a user's file and the
// loader must stay inside the bytes they are given, everything the check
// accepts must load, and whatever loads must save as an image that passes
// the check and loads back the same.
//
// An image is at least 32832 bytes, far above the lengths the fuzzer likes
// to try, so the input describes an image instead of being one: its header
// block, a length for the rest, and sparse patches into an otherwise zero
// image. The raw input is checked as a file as well, so a corpus of real
// files (tests/data/profiles) is still of use with a large -max_len.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "profiles/profile_image.h"

namespace {

using quorlin::profiles::ImageFault;
using quorlin::profiles::WorkingContents;

constexpr std::size_t kMaxExtra = 3 * quorlin::macros::kMacroRecordSize + 8192;

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> data) : data_(data) {}
  bool empty() const { return data_.empty(); }
  std::span<const uint8_t> Take(std::size_t n) {
    n = std::min(n, data_.size());
    const auto out = data_.first(n);
    data_ = data_.subspan(n);
    return out;
  }
  std::size_t Number(std::size_t bytes) {
    std::size_t value = 0;
    for (uint8_t b : Take(bytes)) value = value << 8 | b;
    return value;
  }

 private:
  std::span<const uint8_t> data_;
};

// [header block 64][extra length 3][patches: offset 3, length 1, bytes]...
// The top bit of the extra length asks for a sound header around the
// input's macro count, pool size and flag, so the fuzzer reaches the checks
// behind the header without guessing its constants and checksum.
std::vector<uint8_t> DescribedImage(std::span<const uint8_t> data) {
  Reader in(data);
  const auto head = in.Take(quorlin::profiles::kHeaderBlockSize);
  const std::size_t extra = in.Number(3);
  const std::size_t size =
      quorlin::profiles::kImageFixedSize + (extra & 0x7FFFFF) % (kMaxExtra + 1);
  std::vector<uint8_t> image(size, 0);
  std::copy(head.begin(), head.end(), image.begin());
  while (!in.empty()) {
    const std::size_t at = in.Number(3) % size;
    const auto bytes = in.Take(in.Number(1));
    std::copy_n(bytes.begin(), std::min(bytes.size(), size - at),
                image.begin() + static_cast<std::ptrdiff_t>(at));
  }
  if (extra & 0x800000) {
    const auto header = std::span(image).first<quorlin::profiles::kProfileHeaderSize>();
    const quorlin::profiles::ProfileHeader h = quorlin::profiles::DecodeProfileHeader(header);
    quorlin::profiles::WriteProfileHeader(header, h.macro_count % 4, h.pool_size % 8192,
                                          h.flag % 2);
  }
  return image;
}

void CheckAndLoad(std::span<const uint8_t> image) {
  const ImageFault check = quorlin::profiles::CheckProfileImage(image);
  WorkingContents loaded;
  const ImageFault load = quorlin::profiles::DecodeProfileImage(image, loaded);
  if (check == ImageFault::kNone && load != ImageFault::kNone) std::abort();
  if (load != ImageFault::kNone) return;

  std::vector<uint8_t> saved;
  if (quorlin::profiles::EncodeProfileImage(loaded, saved) != ImageFault::kNone) std::abort();
  if (quorlin::profiles::CheckProfileImage(saved) != ImageFault::kNone) std::abort();
  WorkingContents again;
  if (quorlin::profiles::DecodeProfileImage(saved, again) != ImageFault::kNone) std::abort();
  if (again.actions != loaded.actions || again.macro_list != loaded.macro_list ||
      again.header != loaded.header) {
    std::abort();
  }
  for (std::size_t r = 0; r < quorlin::keys::TextSideTable::kEntries; ++r) {
    const std::u16string* a = again.texts.Text(r);
    const std::u16string* b = loaded.texts.Text(r);
    if ((a == nullptr) != (b == nullptr) || (a != nullptr && *a != *b)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::span<const uint8_t> input(data, size);
  CheckAndLoad(input);
  CheckAndLoad(DescribedImage(input));
  return 0;
}
