#include "keys/key_table.h"

#include <algorithm>

#include "keys/key_catalogue.h"
#include "keys/media_list.h"
#include "keys/modifier_keys.h"

namespace quorlin::keys {
namespace {

std::span<const uint8_t, kKeyTableEntrySize> EntryBytes(std::span<const uint8_t> table,
                                                        std::size_t position) {
  return table.subspan(position * kKeyTableEntrySize).first<kKeyTableEntrySize>();
}

std::span<uint8_t, kKeyTableEntrySize> EntryBytes(std::span<uint8_t> table, std::size_t position) {
  return table.subspan(position * kKeyTableEntrySize).first<kKeyTableEntrySize>();
}

// Macros are addressed by position on the keyboard; a missing identifier
// falls back to the first macro.
uint8_t MacroPosition(uint32_t macro_id, std::span<const uint32_t> macro_ids) {
  const auto found = std::find(macro_ids.begin(), macro_ids.end(), macro_id);
  if (found == macro_ids.end()) return 0;
  return static_cast<uint8_t>(found - macro_ids.begin());
}

KeyTableEntry MediaEntry(uint32_t media_index) {
  const uint16_t usage = MediaUsage(media_index);
  return {entry_type::kConsumer, static_cast<uint8_t>(usage), static_cast<uint8_t>(usage >> 8)};
}

// The single key a mouse or key entry sends, when the entry table defines it.
KeyCode SingleKeyOf(const KeyTableEntry& entry) {
  if (entry.type == entry_type::kMouse) return DecodeEntry(entry);
  if (entry.type != entry_type::kKey) return kNoKey;
  if (entry.b1 == entry_sub::kUsage) return KeyFromUsage(7, entry.b2);
  if (entry.b1 == entry_sub::kModifier) return KeyFromModifierBits(entry.b2);
  return kNoKey;
}

KeyAction FirmwareAction(const KeyTableEntry& entry) {
  switch (entry.b1) {
    case entry_sub::kPlayMacro:
      // Macros read from the keyboard are numbered position + 1.
      return {.kind = KeyActionKind::kMacro, .param = entry.b2 + 1u};
    case entry_sub::kStopMacro:
      return {.kind = KeyActionKind::kStopMacro};
    case entry_sub::kBuiltIn:
      return {.kind = KeyActionKind::kFunction, .param = entry.b2};
    default:
      return {.kind = KeyActionKind::kDisabled};
  }
}

}  // namespace

KeyTableShape ShapeOf(const device::KeyboardVariant& variant) {
  const auto length = static_cast<std::size_t>(
      std::clamp<int>(variant.key_table_length, 0, int{device::kMaxKeyTableLength}));
  const auto entries = std::min(static_cast<std::size_t>(std::max(variant.key_count, 0)),
                                length / kKeyTableEntrySize);
  return {length, entries};
}

KeyTableEntry EncodeAction(const KeyAction& action, const KeyTableEntry& default_entry,
                           std::span<const uint32_t> macro_ids) {
  switch (action.kind) {
    case KeyActionKind::kDisabled:
    case KeyActionKind::kTextBlock:
      return {};
    case KeyActionKind::kSingleKey:
      return SingleKeyEntry(static_cast<KeyCode>(action.param));
    case KeyActionKind::kMacro:
      return {entry_type::kFirmware, entry_sub::kPlayMacro, MacroPosition(action.param, macro_ids)};
    case KeyActionKind::kStopMacro:
      return {entry_type::kFirmware, entry_sub::kStopMacro, 0};
    case KeyActionKind::kMedia:
      return MediaEntry(action.param);
    case KeyActionKind::kFunction:
      return {entry_type::kFirmware, entry_sub::kBuiltIn, static_cast<uint8_t>(action.param)};
    default:
      // Default, Run program (carried out on the host, if at all) and kinds
      // this program does not know keep the key's own function.
      return default_entry;
  }
}

EncodedKeyTable EncodeKeyTable(const KeyActionPage& page, const device::KeyboardVariant& variant,
                               const device::DefaultKeyTable& defaults,
                               std::span<const uint32_t> macro_ids) {
  const KeyTableShape shape = ShapeOf(variant);
  EncodedKeyTable table;
  table.bytes.assign(defaults.begin(),
                     defaults.begin() + static_cast<std::ptrdiff_t>(shape.length));
  for (std::size_t position = 0; position < shape.entries; ++position) {
    const KeyTableEntry default_entry = ReadEntry(EntryBytes(defaults, position));
    const KeyCode key = DecodeEntry(default_entry);
    if (key == kNoKey) continue;  // a position without a key keeps its default
    const KeyAction& action = page[static_cast<std::size_t>(KeyIndexFromCode(key))];
    if (action.kind == KeyActionKind::kMacro) table.has_macro = true;
    WriteEntry(EncodeAction(action, default_entry, macro_ids),
               EntryBytes(std::span<uint8_t>(table.bytes), position));
  }
  if (kTiedCopyPosition < shape.entries) {
    const KeyTableEntry tied =
        ReadEntry(EntryBytes(std::span<const uint8_t>(table.bytes), kTiedPosition));
    WriteEntry(tied, EntryBytes(std::span<uint8_t>(table.bytes), kTiedCopyPosition));
  }
  return table;
}

KeyAction DecodeDeviceEntry(const KeyTableEntry& entry) {
  switch (entry.type) {
    case entry_type::kFirmware:
      return FirmwareAction(entry);
    case entry_type::kConsumer:
      if (const auto media = MediaIndexOfUsage(UsageOf(entry))) {
        return {.kind = KeyActionKind::kMedia, .param = static_cast<uint32_t>(*media)};
      }
      return {.kind = KeyActionKind::kDisabled};
    case entry_type::kMouse:
    case entry_type::kKey:
      if (const KeyCode key = SingleKeyOf(entry); key != kNoKey) {
        return {.kind = KeyActionKind::kSingleKey, .param = key};
      }
      return {.kind = KeyActionKind::kDisabled};
    default:
      return {.kind = KeyActionKind::kDisabled};
  }
}

bool DecodeKeyTable(std::span<const uint8_t> device_table, const device::KeyboardVariant& variant,
                    const device::DefaultKeyTable& defaults, KeyActionPage& page) {
  const KeyTableShape shape = ShapeOf(variant);
  if (device_table.size() < shape.entries * kKeyTableEntrySize) return false;
  ResetStorePage(page);
  for (std::size_t position = 0; position < shape.entries; ++position) {
    const KeyTableEntry device_entry = ReadEntry(EntryBytes(device_table, position));
    const KeyTableEntry default_entry = ReadEntry(EntryBytes(defaults, position));
    if (device_entry == default_entry) continue;
    const int record = KeyIndexFromCode(DecodeEntry(default_entry));
    if (record <= 0 || record >= kRecordsPerPage) continue;
    const KeyAction decoded = DecodeDeviceEntry(device_entry);
    KeyAction& action = page[static_cast<std::size_t>(record)];
    action.kind = decoded.kind;
    action.param = decoded.param;
  }
  return true;
}

}  // namespace quorlin::keys
