#pragma once
// INI files with the behaviour of the Windows private-profile reader and
// writer, which the language, skin and lighting files were made for:
// - section and key names compare without regard to (ASCII) case;
// - the first section of a name counts, and in it the first line of a key;
// - a value loses the blanks around it and one pair of enclosing quotes;
// - a missing key reads as the caller's default, a key with an empty value
//   as an empty text;
// - a value is cut to the caller's buffer, counted in UTF-16 units as the
//   Windows buffers are, less one for the terminator;
// - writing a key rewrites only that line and keeps the rest of the file
//   (comments, order, other sections, line endings), adding the key at the
//   end of its section, or the section at the end of the file.
// Lines that start with ';' are comments, lines before the first section
// belong to no section. Files are UTF-8 (with or without a byte-order mark)
// or UTF-16LE with a byte-order mark, and are written back the same way.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"

namespace quorlin::platform {

// The lookup buffer of the Windows reader: 260 characters with the
// terminator, so at most 259 characters come back.
inline constexpr std::size_t kLookupBufferSize = 260;

enum class IniEncoding { kUtf8, kUtf8Bom, kUtf16LeBom };

// One key line of a file, as listed by IniFile::Entries.
struct IniEntry {
  bool in_section = false;  // false for a key line before the first section
  std::string section;
  std::string key;
  std::string value;     // as a lookup would give it, uncut
  std::size_t line = 0;  // 1-based
  std::string raw;       // the value with its enclosing quotes, if any, still on
};

class IniFile {
 public:
  IniFile() = default;  // an empty UTF-8 file

  // Never fails: any bytes give some file; undecodable text is kept or
  // replaced by U+FFFD.
  static IniFile Parse(std::span<const uint8_t> bytes);
  static IniFile Parse(std::string_view utf8);
  std::vector<uint8_t> Serialize() const;

  // kMissing leaves `out` as it was.
  static ReadStatus Load(const std::filesystem::path& path, IniFile* out, std::string* error);
  // Written atomically in the file's own encoding.
  bool Save(const std::filesystem::path& path, std::string* error) const;

  IniEncoding encoding() const { return encoding_; }

  // The value of a key, or nothing when the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // The value with its enclosing quotes, if any, still on.
  std::optional<std::string> FindRaw(std::string_view section, std::string_view key) const;
  // The private-profile lookup: the value cut to buffer_size - 1 characters,
  // or, for a missing key, `default_text` without trailing blanks, cut alike.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view default_text,
                        std::size_t buffer_size = kLookupBufferSize) const;

  // Stores a value so that Find gives it back exactly (quoting it when it has
  // blanks at its ends or enclosing quotes). False, changing nothing, for a
  // name or value that a file line cannot carry: an empty name, a line break,
  // '=' in a key, ']' in a section name, blanks at a name's ends, or a key
  // starting with '[' or ';'.
  bool SetString(std::string_view section, std::string_view key, std::string_view value);
  // Stores `raw` as the line's value text as it stands (after the same checks).
  bool SetRaw(std::string_view section, std::string_view key, std::string_view raw);
  // Removes the first line of the key; false when there was none.
  bool RemoveKey(std::string_view section, std::string_view key);

  // Every key line in file order, duplicates and keys outside any section
  // included, so checks can find what lookups pass over.
  std::vector<IniEntry> Entries() const;
  // The key lines lookups reach: in the first section of each name, the
  // first line of each key.
  std::vector<IniEntry> ReachableEntries() const;

 private:
  struct Line {
    enum class Kind { kOther, kSection, kEntry };
    std::string text;  // without the line ending
    std::string eol;   // "\n", "\r\n", or "" on a last line without one
    Kind kind = Kind::kOther;
    std::string name;  // section name or key, blanks removed
    std::string raw;   // entry value, blanks removed, quotes kept
  };

  static Line MakeLine(std::string text, std::string eol);
  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKeyLine(std::string_view section, std::string_view key) const;
  std::string NewLineEnding() const;

  std::vector<Line> lines_;
  IniEncoding encoding_ = IniEncoding::kUtf8;
};

// A value as the reader gives it: blanks around it and one pair of
// enclosing quotes removed.
std::string UnquoteValue(std::string_view raw);
// `text` cut to at most `max_units` UTF-16 units, never inside a character.
std::string CutToUtf16Units(std::string_view text, std::size_t max_units);
// What a private-profile lookup gives for a found (unquoted) value or, when
// nothing was found, for the default text.
std::string LookupResult(const std::optional<std::string>& value, std::string_view default_text,
                         std::size_t buffer_size);

// The file-level calls. Reads go through the process's cache of parsed
// files, which reads a file again whenever it changed on disk, so edits made
// while the program runs are seen at the next call. A missing or unreadable
// file reads as the default.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view default_text,
                              std::size_t buffer_size = kLookupBufferSize);
// Creates the file (not its folder) when missing; refuses, without touching
// it, a file that exists but cannot be read.
bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value, std::string* error);

}  // namespace quorlin::platform
