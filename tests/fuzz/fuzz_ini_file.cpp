// Parses arbitrary bytes as an INI file, looks keys up and writes keys in
// memory, and checks what must hold for any file: an untouched UTF-8 file
// is written back byte for byte, lookups honour the buffer size, and a
// written value reads back exactly, also after the file is parsed again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "platform/ini_file.h"

namespace {

using quorlin::platform::CutToUtf16Units;
using quorlin::platform::IniEncoding;
using quorlin::platform::IniEntry;
using quorlin::platform::IniFile;

void Check(bool condition) {
  if (!condition) std::abort();
}

// A few keys of the file, each with another buffer size; every lookup is a
// scan of the file, so checking them all would make the target quadratic.
void CheckLookups(const IniFile& ini) {
  constexpr std::size_t kBuffers[] = {0, 1, 2, 5, 260};
  const std::vector<IniEntry> entries = ini.Entries();
  for (std::size_t i = 0; i < entries.size() && i < 16; ++i) {
    const IniEntry& e = entries[i];
    const std::size_t buffer = kBuffers[i % std::size(kBuffers)];
    const std::string got = ini.GetString(e.section, e.key, "#Error", buffer);
    Check(CutToUtf16Units(got, buffer == 0 ? 0 : buffer - 1) == got);
  }
}

void CheckWrite(IniFile ini, const std::string& section, const std::string& key,
                const std::string& value) {
  if (!ini.SetString(section, key, value)) return;
  Check(ini.Find(section, key) == value);
  const IniFile again = IniFile::Parse(ini.Serialize());
  // A UTF-16 file cannot carry bytes that are not UTF-8; they come back replaced.
  if (ini.encoding() != IniEncoding::kUtf16LeBom) Check(again.Find(section, key) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const IniFile ini = IniFile::Parse(bytes);
  if (ini.encoding() != IniEncoding::kUtf16LeBom) {
    const std::vector<uint8_t> written = ini.Serialize();
    Check(written.size() == size && std::equal(written.begin(), written.end(), data));
  }
  CheckLookups(ini);

  // A value from the input's last bytes, written to a key of the file and to
  // a new section.
  const std::size_t tail = size < 12 ? size : 12;
  const std::string value(reinterpret_cast<const char*>(data + size - tail), tail);
  const std::vector<IniEntry> entries = ini.Entries();
  for (std::size_t i = 0; i < entries.size() && i < 4; ++i) {
    if (entries[i].in_section) CheckWrite(ini, entries[i].section, entries[i].key, value);
  }
  CheckWrite(ini, "FUZZ", "Key", value);
  IniFile removed = ini;
  if (!entries.empty() && entries[0].in_section)
    removed.RemoveKey(entries[0].section, entries[0].key);
  CheckLookups(removed);
  return 0;
}
