#include "profiles/profile_file.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "profiles/profile_image.h"
#include "text/format.h"

namespace quorlin::profiles {
namespace fs = std::filesystem;
namespace {

constexpr std::uintmax_t kFourGiB = std::uintmax_t{1} << 32;
constexpr std::string_view kFormatErrorKey = "PROFILE_FORMAT_ERROR";

bool ReadExactly(std::istream& in, std::span<uint8_t> out) {
  in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return in.gcount() == static_cast<std::streamsize>(out.size());
}

// The file's size when it can be an image at all: at least the fixed part,
// below 4 GiB.
std::optional<std::uintmax_t> ImageFileSize(const fs::path& path) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size < kImageFixedSize || size >= kFourGiB) return std::nullopt;
  return size;
}

bool ReadFixedPart(std::istream& in, std::vector<uint8_t>& image) {
  image.resize(kImageFixedSize);
  return ReadExactly(in, image);
}

// After the fixed part: as much more as its header declares, never more
// than the file holds (a short file is the decoder's to judge). Bytes beyond
// the declared total are not read.
bool ReadDeclaredRest(std::istream& in, std::uintmax_t file_size, std::vector<uint8_t>& image) {
  const ProfileHeader h = DecodeProfileHeader(std::span(image).first<kProfileHeaderSize>());
  const uint64_t declared = ImageSize(h.macro_count, h.pool_size);
  const auto wanted = static_cast<std::size_t>(std::min<uint64_t>(declared, file_size));
  if (wanted <= kImageFixedSize) return true;
  image.resize(wanted);
  return ReadExactly(in, std::span(image).subspan(kImageFixedSize));
}

void ReportFormatError(const fs::path& path, const text::TextSource& texts,
                       macros::MessageView& messages) {
  messages.ShowMessage(text::FormatWithText(texts.Text(kFormatErrorKey), path.string()));
}

}  // namespace

FileCheck CheckProfileFile(const fs::path& path, const text::TextSource& texts,
                           macros::MessageView& messages) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return FileCheck::kInvalid;
  // Something that exists but cannot be read as a file is the caller's to
  // report (-2); it is no format error. The check only reads, so a
  // write-protected back-up passes; a pipe is refused before the open,
  // which would wait for a writer.
  if (!fs::is_regular_file(path, ec)) return FileCheck::kCannotOpen;
  std::ifstream file(path, std::ios::binary);
  if (!file) return FileCheck::kCannotOpen;
  const std::optional<std::uintmax_t> size = ImageFileSize(path);
  if (!size) return FileCheck::kInvalid;

  std::vector<uint8_t> image;
  try {
    if (!ReadFixedPart(file, image)) return FileCheck::kInvalid;
    // The rest is read only behind a sound header, so a header declaring
    // gigabytes costs nothing.
    const bool header_ok =
        CheckProfileHeader(std::span(image).first<kProfileHeaderSize>()) == ImageFault::kNone;
    if (header_ok && !ReadDeclaredRest(file, *size, image)) return FileCheck::kInvalid;
  } catch (const std::bad_alloc&) {
    return FileCheck::kNoMemory;
  }
  if (CheckProfileImage(image) != ImageFault::kNone) {
    ReportFormatError(path, texts, messages);
    return FileCheck::kInvalid;
  }
  return FileCheck::kLoadable;
}

bool LoadProfileImage(const fs::path& path, WorkingContents& working) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::optional<std::uintmax_t> size = ImageFileSize(path);
  if (!size) return false;
  try {
    std::vector<uint8_t> image;
    if (!ReadFixedPart(file, image) || !ReadDeclaredRest(file, *size, image) ||
        DecodeProfileImage(image, working) != ImageFault::kNone) {
      return false;
    }
    working.loaded = true;
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool SaveProfileImage(WorkingContents& working, const fs::path& path, platform::FileWriter& writer,
                      std::string* error) {
  try {
    std::vector<uint8_t> image;
    if (EncodeProfileImage(working, image) != ImageFault::kNone) {
      if (error) *error = "the profile does not fit into a profile file";
      return false;
    }
    return platform::WriteFileAtomically(path, image, error, writer);
  } catch (const std::bad_alloc&) {
    if (error) *error = "out of memory";
    return false;
  }
}

bool SaveProfileImage(WorkingStore& store, const fs::path& path, platform::FileWriter& writer) {
  auto working = store.Lock();
  return SaveProfileImage(*working, path, writer);
}

bool MakeEmptyProfileImage(uint8_t flag, const fs::path& path, platform::FileWriter& writer) {
  WorkingContents empty;
  MakeEmptyProfileImage(flag, empty);
  std::vector<uint8_t> image;
  if (EncodeProfileImage(empty, image) != ImageFault::kNone) return false;
  // A save writes flag 0; this image carries the one asked for.
  WriteProfileHeader(std::span(image).first<kProfileHeaderSize>(), 0, 0, flag);
  return platform::WriteFileAtomically(path, image, nullptr, writer);
}

}  // namespace quorlin::profiles
