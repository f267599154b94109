#include "keys/built_in_default_key_table.h"

#include <span>

#include "keys/key_button_list.h"
#include "keys/key_table.h"

namespace quorlin::keys {
namespace {

// Fn is handled inside the firmware and stands for no key of the host.
constexpr KeyTableEntry kFnEntry{entry_type::kFirmware, 0x00, 0x00};

constexpr std::size_t kFnPosition = 106;
constexpr std::size_t kFirstGKeyPosition = 108;

void Put(device::DefaultKeyTable& table, std::size_t position, const KeyTableEntry& entry) {
  WriteEntry(entry,
             std::span(table).subspan(position * kKeyTableEntrySize).first<kKeyTableEntrySize>());
}

}  // namespace

device::DefaultKeyTable BuiltInDefaultKeyTable(const device::KeyboardVariant& variant) {
  device::DefaultKeyTable table{};
  const KeyTableShape shape = ShapeOf(variant);
  for (std::size_t position = 0; position < kKeyButtonCodes.size(); ++position) {
    Put(table, position, SingleKeyEntry(kKeyButtonCodes[position]));
  }
  Put(table, kFnPosition, kFnEntry);
  // The second keypad point of Brazilian boards shares the tied position's key.
  Put(table, kTiedCopyPosition, SingleKeyEntry(kKeyButtonCodes[kTiedPosition]));
  for (int g = 1; g <= kGKeyCount; ++g) {
    const std::size_t position = kFirstGKeyPosition + static_cast<std::size_t>(g - 1);
    if (position >= shape.entries) break;
    Put(table, position, {entry_type::kGKey, entry_sub::kGKeyMarker, static_cast<uint8_t>(g)});
  }
  return table;
}

}  // namespace quorlin::keys
