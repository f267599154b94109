#pragma once
// Whole-file reads and crash-safe whole-file writes. A file is never
// rewritten in place: the bytes go to a temporary file in the same folder,
// which is flushed to the disk and then renamed over the target, so a crash
// or a full disk leaves either the old file or the new one, never a mix.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin::platform {

// Creates a new file and puts bytes into it. Tests replace it to simulate a
// disk that fills up part way.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Creates `path`, which must not exist yet, holding `bytes`, flushed to the
  // disk. On failure the file may exist holding part of the bytes.
  virtual bool WriteNewFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                            std::string* error) = 0;
};

// The writer of the operating system.
FileWriter& SystemFileWriter();

// Replaces (or creates) `target` with `bytes` through a temporary file in the
// same folder. Returns false, with a message in `error` when given, and
// leaves `target` as it was if anything fails. A symbolic link as target is
// followed, so the file it points to is replaced and the link kept. A target
// that exists and is not a regular file (a device, a pipe, a folder) is
// refused and left alone.
bool WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes,
                         std::string* error);
bool WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes,
                         std::string* error, FileWriter& writer);

// Whether `name` is one of the temporary names WriteFileAtomically uses:
// "." + target name + ".tmp-" + 16 hexadecimal digits.
bool IsAtomicTempName(std::string_view name);

// Removes what a killed save left in `folder` (not below it): regular files
// with a temporary name of this program, owned by this user and untouched
// for at least `min_age` (a save running right now is younger). Returns how
// many were removed; a folder that cannot be listed removes nothing.
int RemoveStaleTempFiles(const std::filesystem::path& folder,
                         std::chrono::seconds min_age = std::chrono::seconds(60));

enum class ReadStatus { kOk, kMissing, kFailed };

// No file this program reads comes near this; a larger one is refused rather
// than loaded into memory.
inline constexpr std::uintmax_t kMaxReadBytes = 64u * 1024u * 1024u;

// Reads a whole regular file into `bytes`. kMissing when nothing exists at
// `path`; kFailed (with `error`) for anything that exists but cannot be read
// or is larger than `max_bytes`.
ReadStatus ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>* bytes,
                         std::string* error, std::uintmax_t max_bytes = kMaxReadBytes);

}  // namespace quorlin::platform
