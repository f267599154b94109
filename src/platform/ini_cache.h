#pragma once
// Parsed INI files kept between lookups. The language files are looked up
// dozens of times for one key name and the settings file before each of
// those lookups; reading and parsing them every time made long commands
// slow. A file is parsed again as soon as its stamp (size, modification
// time and identity) differs from the one it was parsed under, so an edit
// made while the program runs still shows at the next lookup, and this
// process's own writes drop their file from the cache at once.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/ini_file.h"

namespace quorlin::platform {

// What tells one version of a file from another without reading it. A
// replaced file (every atomic write) has a new identity; an edit in place a
// new size or modification time.
struct FileStamp {
  std::uintmax_t size = 0;
  int64_t modified_ns = 0;
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};

// Nothing when `path` is missing or no regular file.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// The lines of one parsed file that lookups can reach, indexed by section
// and key without regard to ASCII case.
class IniLookupTable {
 public:
  explicit IniLookupTable(const IniFile& file);

  // The raw value as IniFile::FindRaw gives it.
  const std::string* FindRaw(std::string_view section, std::string_view key) const;
  // As IniFile::GetString.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view default_text,
                        std::size_t buffer_size = kLookupBufferSize) const;

 private:
  static std::string IndexKey(std::string_view section, std::string_view key);
  std::unordered_map<std::string, std::string> raw_;
};

class IniReadCache {
 public:
  explicit IniReadCache(std::size_t capacity = 64) : capacity_(capacity) {}

  // The file as it is on disk now; null when it is missing or cannot be read.
  std::shared_ptr<const IniLookupTable> Get(const std::filesystem::path& path);
  void Forget(const std::filesystem::path& path);
  // How many times a file was read and parsed (for tests and benchmarks).
  uint64_t Parses() const;

 private:
  struct Entry {
    FileStamp stamp;
    std::shared_ptr<const IniLookupTable> table;
  };
  std::size_t capacity_;
  mutable std::mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
  uint64_t parses_ = 0;
};

// The process's cache, used by ReadProfileString and the settings store.
IniReadCache& SharedIniReadCache();

}  // namespace quorlin::platform
