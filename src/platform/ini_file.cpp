#include "platform/ini_file.h"

#include <algorithm>
#include <set>

#include "platform/ini_cache.h"

#include "platform/process_lock.h"

namespace quorlin::platform {
namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";
constexpr uint8_t kUtf8Bom[] = {0xEF, 0xBB, 0xBF};
constexpr uint8_t kUtf16LeBom[] = {0xFF, 0xFE};
constexpr char32_t kReplacement = 0xFFFD;

// ---- UTF-8 and UTF-16 -------------------------------------------------------

// Length of the valid UTF-8 sequence at the start of `s` and its code point,
// or 0 when the first byte does not start one.
std::size_t DecodeUtf8(std::string_view s, char32_t* cp) {
  const auto b0 = static_cast<uint8_t>(s[0]);
  if (b0 < 0x80) {
    *cp = b0;
    return 1;
  }
  std::size_t len = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, min = 0x80, *cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, min = 0x800, *cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, min = 0x10000, *cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (s.size() < len) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    const auto b = static_cast<uint8_t>(s[i]);
    if ((b & 0xC0) != 0x80) return 0;
    *cp = (*cp << 6) | (b & 0x3F);
  }
  if (*cp < min || *cp > 0x10FFFF || (*cp >= 0xD800 && *cp <= 0xDFFF)) return 0;
  return len;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string Utf16LeToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](std::size_t i) -> char32_t { return bytes[i] | (bytes[i + 1] << 8); };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00), &out);
        i += 2;
        continue;
      }
    }
    AppendUtf8(u >= 0xD800 && u <= 0xDFFF ? kReplacement : u, &out);
  }
  if (i < bytes.size()) AppendUtf8(kReplacement, &out);  // odd final byte
  return out;
}

void AppendUtf16Le(char32_t cp, std::vector<uint8_t>* out) {
  auto put = [out](char32_t u) {
    out->push_back(static_cast<uint8_t>(u & 0xFF));
    out->push_back(static_cast<uint8_t>(u >> 8));
  };
  if (cp < 0x10000) {
    put(cp);
  } else {
    cp -= 0x10000;
    put(0xD800 + (cp >> 10));
    put(0xDC00 + (cp & 0x3FF));
  }
}

void Utf8ToUtf16Le(std::string_view text, std::vector<uint8_t>* out) {
  while (!text.empty()) {
    char32_t cp = 0;
    std::size_t len = DecodeUtf8(text, &cp);
    if (len == 0) cp = kReplacement, len = 1;
    AppendUtf16Le(cp, out);
    text.remove_prefix(len);
  }
}

// ---- names and values -------------------------------------------------------

std::string_view Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::string_view TrimRight(std::string_view s) {
  const std::size_t last = s.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

bool HasEnclosingQuotes(std::string_view v) {
  return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

bool HasOuterBlanks(std::string_view s) {
  return Trim(s).size() != s.size();
}

bool IsStorableSection(std::string_view s) {
  return !s.empty() && !HasLineBreak(s) && !HasOuterBlanks(s) && s.find(']') == s.npos;
}

bool IsStorableKey(std::string_view k) {
  return !k.empty() && !HasLineBreak(k) && !HasOuterBlanks(k) && k.find('=') == k.npos &&
         k.front() != '[' && k.front() != ';';
}

std::string QuoteIfNeeded(std::string_view value) {
  if (HasOuterBlanks(value) || HasEnclosingQuotes(value)) {
    return "\"" + std::string(value) + "\"";
  }
  return std::string(value);
}

}  // namespace

std::string UnquoteValue(std::string_view raw) {
  std::string_view v = Trim(raw);
  if (HasEnclosingQuotes(v)) v = v.substr(1, v.size() - 2);
  return std::string(v);
}

std::string CutToUtf16Units(std::string_view text, std::size_t max_units) {
  std::size_t units = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t cp = 0;
    std::size_t len = DecodeUtf8(text.substr(pos), &cp);
    std::size_t width = cp >= 0x10000 ? 2 : 1;
    if (len == 0) len = 1, width = 1;  // a stray byte counts as one character
    if (units + width > max_units) break;
    units += width;
    pos += len;
  }
  return std::string(text.substr(0, pos));
}

// ---- parsing and writing ----------------------------------------------------

IniFile::Line IniFile::MakeLine(std::string text, std::string eol) {
  Line line;
  line.text = std::move(text);
  line.eol = std::move(eol);
  const std::string_view body = Trim(line.text);
  if (body.empty() || body.front() == ';') return line;
  if (body.front() == '[') {
    const std::size_t close = body.find(']');
    line.kind = Line::Kind::kSection;
    line.name = std::string(Trim(body.substr(1, close == body.npos ? body.npos : close - 1)));
    return line;
  }
  const std::size_t eq = body.find('=');
  if (eq == body.npos) return line;
  line.kind = Line::Kind::kEntry;
  line.name = std::string(Trim(body.substr(0, eq)));
  line.raw = std::string(Trim(body.substr(eq + 1)));
  return line;
}

IniFile IniFile::Parse(std::span<const uint8_t> bytes) {
  IniFile file;
  std::string text;
  if (bytes.size() >= 2 && std::equal(bytes.begin(), bytes.begin() + 2, kUtf16LeBom)) {
    file.encoding_ = IniEncoding::kUtf16LeBom;
    text = Utf16LeToUtf8(bytes.subspan(2));
  } else if (bytes.size() >= 3 && std::equal(bytes.begin(), bytes.begin() + 3, kUtf8Bom)) {
    file.encoding_ = IniEncoding::kUtf8Bom;
    text.assign(bytes.begin() + 3, bytes.end());
  } else {
    text.assign(bytes.begin(), bytes.end());
  }
  std::string_view rest = text;
  file.lines_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  while (!rest.empty()) {
    const std::size_t nl = rest.find('\n');
    std::string_view body = rest.substr(0, nl);
    std::string eol;
    if (nl != rest.npos) {
      const bool crlf = !body.empty() && body.back() == '\r';
      if (crlf) body.remove_suffix(1);
      eol = crlf ? "\r\n" : "\n";
    }
    file.lines_.push_back(MakeLine(std::string(body), std::move(eol)));
    rest = nl == rest.npos ? std::string_view{} : rest.substr(nl + 1);
  }
  return file;
}

IniFile IniFile::Parse(std::string_view utf8) {
  return Parse(std::span(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size()));
}

std::vector<uint8_t> IniFile::Serialize() const {
  std::string text;
  for (const Line& line : lines_) text += line.text + line.eol;
  std::vector<uint8_t> out;
  switch (encoding_) {
    case IniEncoding::kUtf16LeBom:
      out.assign(std::begin(kUtf16LeBom), std::end(kUtf16LeBom));
      Utf8ToUtf16Le(text, &out);
      return out;
    case IniEncoding::kUtf8Bom:
      out.assign(std::begin(kUtf8Bom), std::end(kUtf8Bom));
      break;
    case IniEncoding::kUtf8:
      break;
  }
  // Appended byte by byte: g++ 12 at -O2 mistakes a range insert after the
  // BOM for an over-read.
  out.reserve(out.size() + text.size());
  for (const char c : text) out.push_back(static_cast<uint8_t>(c));
  return out;
}

ReadStatus IniFile::Load(const std::filesystem::path& path, IniFile* out, std::string* error) {
  std::vector<uint8_t> bytes;
  const ReadStatus status = ReadWholeFile(path, &bytes, error);
  if (status == ReadStatus::kOk) *out = Parse(bytes);
  return status;
}

bool IniFile::Save(const std::filesystem::path& path, std::string* error) const {
  const bool saved = WriteFileAtomically(path, Serialize(), error);
  // The replacement may look like the cached file to a coarse clock.
  SharedIniReadCache().Forget(path);
  return saved;
}

// ---- lookups ----------------------------------------------------------------

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Kind::kSection && SameName(lines_[i].name, section)) return i;
  }
  return std::nullopt;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Line::Kind::kSection) ++i;
  return i;
}

std::optional<std::size_t> IniFile::FindKeyLine(std::string_view section,
                                                std::string_view key) const {
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) return std::nullopt;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (lines_[i].kind == Line::Kind::kEntry && SameName(lines_[i].name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::FindRaw(std::string_view section, std::string_view key) const {
  const std::optional<std::size_t> line = FindKeyLine(section, key);
  if (!line) return std::nullopt;
  return lines_[*line].raw;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const std::optional<std::size_t> line = FindKeyLine(section, key);
  if (!line) return std::nullopt;
  return UnquoteValue(lines_[*line].raw);
}

std::string LookupResult(const std::optional<std::string>& value, std::string_view default_text,
                         std::size_t buffer_size) {
  const std::size_t max_units = buffer_size == 0 ? 0 : buffer_size - 1;
  return CutToUtf16Units(value ? std::string_view(*value) : TrimRight(default_text), max_units);
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view default_text, std::size_t buffer_size) const {
  return LookupResult(Find(section, key), default_text, buffer_size);
}

std::vector<IniEntry> IniFile::Entries() const {
  std::vector<IniEntry> entries;
  const Line* section = nullptr;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Kind::kSection) section = &line;
    if (line.kind != Line::Kind::kEntry) continue;
    entries.push_back(IniEntry{section != nullptr, section ? section->name : std::string(),
                               line.name, UnquoteValue(line.raw), i + 1, line.raw});
  }
  return entries;
}

std::vector<IniEntry> IniFile::ReachableEntries() const {
  auto lower = [](std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AsciiLower(c);
    return out;
  };
  std::vector<IniEntry> entries;
  std::set<std::string> sections;  // seen so far
  std::set<std::string> keys;      // of the current section
  const Line* section = nullptr;   // null outside a reachable section
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Kind::kSection) {
      section = sections.insert(lower(line.name)).second ? &line : nullptr;
      keys.clear();
      continue;
    }
    if (line.kind != Line::Kind::kEntry || section == nullptr) continue;
    if (!keys.insert(lower(line.name)).second) continue;
    entries.push_back(
        IniEntry{true, section->name, line.name, UnquoteValue(line.raw), i + 1, line.raw});
  }
  return entries;
}

// ---- changes ----------------------------------------------------------------

std::string IniFile::NewLineEnding() const {
  for (const Line& line : lines_) {
    if (!line.eol.empty()) return line.eol;
  }
#ifdef _WIN32
  return "\r\n";
#else
  return "\n";
#endif
}

bool IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  return SetRaw(section, key, QuoteIfNeeded(value));
}

bool IniFile::SetRaw(std::string_view section, std::string_view key, std::string_view raw) {
  if (!IsStorableSection(section) || !IsStorableKey(key) || HasLineBreak(raw)) return false;
  if (const std::optional<std::size_t> existing = FindKeyLine(section, key)) {
    Line& line = lines_[*existing];
    line = MakeLine(line.name + "=" + std::string(raw), line.eol);
    return true;
  }
  const std::string eol = NewLineEnding();
  const std::string entry = std::string(key) + "=" + std::string(raw);
  if (const std::optional<std::size_t> header = FindSection(section)) {
    // After the section's last key, so comments that lead into the next
    // section stay in front of it.
    std::size_t at = *header + 1;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = at; i < end; ++i) {
      if (lines_[i].kind == Line::Kind::kEntry) at = i + 1;
    }
    if (lines_[at - 1].eol.empty()) lines_[at - 1].eol = eol;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(entry, eol));
    return true;
  }
  if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = eol;
  lines_.push_back(MakeLine("[" + std::string(section) + "]", eol));
  lines_.push_back(MakeLine(entry, eol));
  return true;
}

bool IniFile::RemoveKey(std::string_view section, std::string_view key) {
  const std::optional<std::size_t> line = FindKeyLine(section, key);
  if (!line) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
  return true;
}

// ---- file-level calls -------------------------------------------------------

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view default_text,
                              std::size_t buffer_size) {
  const std::shared_ptr<const IniLookupTable> table = SharedIniReadCache().Get(file);
  if (!table) return LookupResult(std::nullopt, default_text, buffer_size);  // missing, unreadable
  return table->GetString(section, key, default_text, buffer_size);
}

bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value, std::string* error) {
  // Another program may be changing another key of the same file; without
  // the lock one of the two changes would be lost. A lock that cannot be
  // made (a read-only config folder) must not stop the write itself.
  const DataFolderLock lock(file.parent_path());
  IniFile ini;
  if (IniFile::Load(file, &ini, error) == ReadStatus::kFailed) return false;
  if (!ini.SetString(section, key, value)) {
    if (error != nullptr) *error = "cannot store this key or value in an INI file";
    return false;
  }
  return ini.Save(file, error);
}

}  // namespace quorlin::platform
