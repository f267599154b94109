#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define QUORLIN_POSIX_FILES 1
#endif

namespace quorlin::platform {
namespace fs = std::filesystem;
namespace {

void SetError(std::string* error, std::string message) {
  if (error != nullptr) *error = std::move(message);
}

std::string Describe(const fs::path& path, const std::string& what) {
  return what + ": " + path.string();
}

#ifdef QUORLIN_POSIX_FILES

std::string ErrnoText() {
  return std::strerror(errno);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

class PosixFileWriter final : public FileWriter {
 public:
  bool WriteNewFile(const fs::path& path, std::span<const uint8_t> bytes,
                    std::string* error) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      SetError(error, Describe(path, "cannot create file (" + ErrnoText() + ")"));
      return false;
    }
    bool ok = WriteAll(fd, bytes);
    if (!ok) SetError(error, Describe(path, "cannot write file (" + ErrnoText() + ")"));
    // Without the flush a crash soon after the rename can leave an empty file
    // under the target's name on some file systems.
    if (ok && ::fsync(fd) != 0) {
      SetError(error, Describe(path, "cannot flush file (" + ErrnoText() + ")"));
      ok = false;
    }
    if (::close(fd) != 0 && ok) {
      SetError(error, Describe(path, "cannot close file (" + ErrnoText() + ")"));
      ok = false;
    }
    return ok;
  }
};

// Makes the rename itself durable; a failure here changes nothing for the
// caller, the new file is already in place.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

#else

class StreamFileWriter final : public FileWriter {
 public:
  bool WriteNewFile(const fs::path& path, std::span<const uint8_t> bytes,
                    std::string* error) override {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
      SetError(error, Describe(path, "cannot create file"));
      return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      SetError(error, Describe(path, "cannot write file"));
      return false;
    }
    return true;
  }
};

void SyncFolder(const fs::path&) {}

#endif

constexpr std::string_view kTempMark = ".tmp-";
constexpr std::size_t kSuffixDigits = 16;

std::string RandomSuffix() {
  static std::atomic<uint64_t> counter{0};
  uint64_t entropy =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    entropy ^= (static_cast<uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // The clock and the counter still make the name unique in practice.
  }
  std::mt19937_64 mix(entropy + counter.fetch_add(1));
  char buffer[17];
  std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(mix()));
  return buffer;
}

// A link stays a link: the file it names is the one to replace.
fs::path ResolveTarget(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(target, ec)) return target;
  fs::path resolved = fs::weakly_canonical(target, ec);
  return ec ? target : resolved;
}

void CopyPermissions(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const fs::file_status status = fs::status(from, ec);
  if (!ec && fs::exists(status)) fs::permissions(to, status.permissions(), ec);
}

}  // namespace

FileWriter& SystemFileWriter() {
#ifdef QUORLIN_POSIX_FILES
  static PosixFileWriter writer;
#else
  static StreamFileWriter writer;
#endif
  return writer;
}

bool WriteFileAtomically(const fs::path& target, std::span<const uint8_t> bytes,
                         std::string* error) {
  return WriteFileAtomically(target, bytes, error, SystemFileWriter());
}

bool WriteFileAtomically(const fs::path& target, std::span<const uint8_t> bytes, std::string* error,
                         FileWriter& writer) {
  const fs::path final_path = ResolveTarget(target);
  // Renaming over a device node, a pipe or a socket would silently swap it
  // for a regular file (as root, even under /dev), and a folder cannot hold
  // the bytes at all; only regular files are ever replaced.
  std::error_code status_ec;
  const fs::file_status existing = fs::status(final_path, status_ec);
  if (status_ec && existing.type() != fs::file_type::not_found) {
    SetError(error, Describe(final_path, "cannot be examined (" + status_ec.message() + ")"));
    return false;
  }
  if (existing.type() != fs::file_type::not_found && !fs::is_regular_file(existing)) {
    SetError(error, Describe(final_path, "not a regular file, left as it is"));
    return false;
  }
  const fs::path folder = final_path.parent_path();
  const fs::path temp =
      folder / ("." + final_path.filename().string() + std::string(kTempMark) + RandomSuffix());
  std::error_code ec;
  if (!writer.WriteNewFile(temp, bytes, error)) {
    fs::remove(temp, ec);
    return false;
  }
  CopyPermissions(final_path, temp);
  fs::rename(temp, final_path, ec);
  if (ec) {
    SetError(error, Describe(final_path, "cannot replace file (" + ec.message() + ")"));
    fs::remove(temp, ec);
    return false;
  }
  SyncFolder(folder);
  return true;
}

bool IsAtomicTempName(std::string_view name) {
  const std::size_t least = 1 + 1 + kTempMark.size() + kSuffixDigits;
  if (name.size() < least || name.front() != '.') return false;
  const std::string_view suffix = name.substr(name.size() - kSuffixDigits);
  for (char c : suffix) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return name.substr(name.size() - kSuffixDigits - kTempMark.size(), kTempMark.size()) == kTempMark;
}

int RemoveStaleTempFiles(const fs::path& folder, std::chrono::seconds min_age) {
  int removed = 0;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return 0;
  const auto now = fs::file_time_type::clock::now();
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const fs::path& path = it->path();
    if (!IsAtomicTempName(path.filename().string())) continue;
    std::error_code entry_ec;
    if (!fs::is_regular_file(fs::symlink_status(path, entry_ec))) continue;
#ifdef QUORLIN_POSIX_FILES
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || st.st_uid != ::getuid()) continue;
#endif
    const auto written = fs::last_write_time(path, entry_ec);
    if (entry_ec || now - written < min_age) continue;
    if (fs::remove(path, entry_ec)) ++removed;
  }
  return removed;
}

ReadStatus ReadWholeFile(const fs::path& path, std::vector<uint8_t>* bytes, std::string* error,
                         std::uintmax_t max_bytes) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return ReadStatus::kMissing;
  if (ec) {
    SetError(error, Describe(path, "cannot be examined (" + ec.message() + ")"));
    return ReadStatus::kFailed;
  }
  if (!fs::is_regular_file(status)) {
    SetError(error, Describe(path, fs::is_directory(status) ? "a folder, not a file"
                                                            : "not a regular file"));
    return ReadStatus::kFailed;
  }
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > max_bytes) {
    SetError(error, Describe(path, ec ? "cannot size file" : "file too large"));
    return ReadStatus::kFailed;
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const std::string why = errno != 0 ? std::strerror(errno) : "no reason given by the system";
    SetError(error, Describe(path, "cannot open file (" + why + ")"));
    return ReadStatus::kFailed;
  }
  bytes->resize(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) {
    SetError(error, Describe(path, "cannot read file"));
    return ReadStatus::kFailed;
  }
  return ReadStatus::kOk;
}

}  // namespace quorlin::platform
