#include "platform/ini_cache.h"

#include <chrono>
#include <system_error>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#define QUORLIN_POSIX_STAT 1
#endif

namespace quorlin::platform {
namespace fs = std::filesystem;

namespace {

// Lower-cases ASCII letters of `s` into `out` from `at` on.
void CopyLower(std::string_view s, std::string& out, std::size_t at) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    out[at + i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
}

}  // namespace

std::optional<FileStamp> StampOf(const fs::path& path) {
#ifdef QUORLIN_POSIX_STAT
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
#ifdef __APPLE__
  const struct timespec& modified = st.st_mtimespec;
#else
  const struct timespec& modified = st.st_mtim;
#endif
  return FileStamp{static_cast<std::uintmax_t>(st.st_size),
                   static_cast<int64_t>(modified.tv_sec) * 1000000000 + modified.tv_nsec,
                   static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
#else
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  const auto modified = fs::last_write_time(path, ec);
  if (ec) return std::nullopt;
  return FileStamp{
      size,
      std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count(), 0,
      0};
#endif
}

IniLookupTable::IniLookupTable(const IniFile& file) {
  for (const IniEntry& e : file.ReachableEntries()) raw_.emplace(IndexKey(e.section, e.key), e.raw);
}

std::string IniLookupTable::IndexKey(std::string_view section, std::string_view key) {
  // Names never hold a line break, so it cannot join two names ambiguously.
  std::string index(section.size() + 1 + key.size(), '\n');
  CopyLower(section, index, 0);
  CopyLower(key, index, section.size() + 1);
  return index;
}

const std::string* IniLookupTable::FindRaw(std::string_view section, std::string_view key) const {
  const auto it = raw_.find(IndexKey(section, key));
  return it == raw_.end() ? nullptr : &it->second;
}

std::string IniLookupTable::GetString(std::string_view section, std::string_view key,
                                      std::string_view default_text,
                                      std::size_t buffer_size) const {
  const std::string* raw = FindRaw(section, key);
  return LookupResult(raw ? std::optional<std::string>(UnquoteValue(*raw)) : std::nullopt,
                      default_text, buffer_size);
}

std::shared_ptr<const IniLookupTable> IniReadCache::Get(const fs::path& path) {
  const std::optional<FileStamp> stamp = StampOf(path);
  const std::string name = path.string();
  std::lock_guard lock(mutex_);
  if (!stamp) {
    entries_.erase(name);
    return nullptr;
  }
  if (const auto it = entries_.find(name); it != entries_.end() && it->second.stamp == *stamp) {
    return it->second.table;
  }
  // Read after the stamp was taken: a change in between leaves a newer
  // file under an older stamp, which the next lookup reads again.
  IniFile file;
  if (IniFile::Load(path, &file, nullptr) != ReadStatus::kOk) {
    entries_.erase(name);
    return nullptr;
  }
  ++parses_;
  auto table = std::make_shared<const IniLookupTable>(file);
  if (entries_.size() >= capacity_ && !entries_.contains(name)) entries_.clear();
  entries_[name] = Entry{*stamp, table};
  return table;
}

void IniReadCache::Forget(const fs::path& path) {
  std::lock_guard lock(mutex_);
  entries_.erase(path.string());
}

uint64_t IniReadCache::Parses() const {
  std::lock_guard lock(mutex_);
  return parses_;
}

IniReadCache& SharedIniReadCache() {
  static IniReadCache cache;
  return cache;
}

}  // namespace quorlin::platform
