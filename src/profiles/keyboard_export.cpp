#include "profiles/keyboard_export.h"

#include <algorithm>
#include <array>
#include <vector>

#include "device/commands.h"
#include "keys/key_table.h"
#include "macros/macro_area.h"
#include "profiles/profile_file.h"

namespace quorlin::profiles {
namespace {

bool ReadKeyTables(device::DeviceLink& link, keys::KeyActionStore& actions) {
  const device::KeyboardVariant variant = link.Variant();
  const device::DefaultKeyTable defaults = link.DefaultTable();
  std::vector<uint8_t> table(keys::ShapeOf(variant).length);
  for (int p = 0; p < keys::kProfileCount; ++p) {
    if (device::ReadKeyTable(link.Channel(), variant, p, table) != device::kOk) return false;
    if (!keys::DecodeKeyTable(table, variant, defaults,
                              actions.pages[static_cast<std::size_t>(p)])) {
      return false;
    }
  }
  return true;
}

// An area without the 0x55AA header holds no macros. A refused read says
// nothing about the area: taking it as empty would let the next Apply write
// an empty area over the keyboard's macros, so the export fails instead.
// So does an area with a header while the capacity is unknown (0), since
// its length could not be bounded.
bool ReadMacros(device::DeviceLink& link, const text::TextSource& texts, macros::MacroList& list) {
  list.clear();
  std::array<uint8_t, macros::kMacroAreaHeaderSize> first{};
  if (device::ReadMacroArea(link.Channel(), first) != device::kOk) return false;
  if (!macros::ReadMacroAreaHeader(first)) return true;
  const int capacity = link.MacroCapacity();
  if (capacity <= 0) return false;
  const std::size_t length = macros::MacroAreaReadLength(first, capacity);
  if (length == 0) return true;
  std::vector<uint8_t> area(length);
  if (device::ReadMacroArea(link.Channel(), area) != device::kOk) return false;
  // A damaged area gives the macros before the damage; the keyboard's
  // contents are still worth keeping.
  macros::DecodeMacroArea(area, texts, list);
  return true;
}

}  // namespace

bool ReadKeyboardContents(device::DeviceLink& link, const text::TextSource& texts,
                          WorkingContents& working) {
  const int active = link.ActiveProfile();
  if (active < 0 || active >= keys::kProfileCount) return false;
  WorkingContents read;
  std::copy(kFormatTagBlock.begin(), kFormatTagBlock.end(),
            read.header.begin() + kProfileHeaderSize);
  if (!ReadKeyTables(link, read.actions)) return false;
  if (!ReadMacros(link, texts, read.macro_list)) return false;
  read.loaded = true;
  working = std::move(read);
  return true;
}

bool ExportKeyboardToFile(device::DeviceLink& link, const std::filesystem::path& path,
                          const text::TextSource& texts, platform::FileWriter& writer) {
  WorkingContents read;
  return ReadKeyboardContents(link, texts, read) && SaveProfileImage(read, path, writer);
}

}  // namespace quorlin::profiles
