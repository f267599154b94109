#pragma once
// Key tables: from a page of Key actions to the keyboard's bytes and back.
// The Default key table tells which key sits at each matrix position.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/keyboard_variant.h"
#include "keys/key_action_store.h"
#include "keys/key_table_entry.h"

namespace quorlin::keys {

// These two matrix positions always carry the same function.
inline constexpr std::size_t kTiedPosition = 99;
inline constexpr std::size_t kTiedCopyPosition = 107;

// Bytes and entries of a variant's table, kept inside the 512-byte block
// whatever the variant claims.
struct KeyTableShape {
  std::size_t length = 0;   // L
  std::size_t entries = 0;  // K, with 3K <= L
};
KeyTableShape ShapeOf(const device::KeyboardVariant& variant);

struct EncodedKeyTable {
  std::vector<uint8_t> bytes;  // L bytes
  bool has_macro = false;      // some encoded record was of kind Macro
};

// The entry a position whose default entry is `default_entry` gets for
// `action`. `macro_ids` are the identifiers of the applied macro list in order.
KeyTableEntry EncodeAction(const KeyAction& action, const KeyTableEntry& default_entry,
                           std::span<const uint32_t> macro_ids);

// The key table of one profile page. The caller holds the Applied lock.
EncodedKeyTable EncodeKeyTable(const KeyActionPage& page, const device::KeyboardVariant& variant,
                               const device::DefaultKeyTable& defaults,
                               std::span<const uint32_t> macro_ids);

// The Key action a device entry becomes at a position whose default differs.
// Entries without a defined meaning give Disabled.
KeyAction DecodeDeviceEntry(const KeyTableEntry& entry);

// Fills `page` from a key table read from the keyboard. The table is outside
// data: when it holds fewer than the variant's K entries the page is left
// unchanged and the answer is false.
bool DecodeKeyTable(std::span<const uint8_t> device_table, const device::KeyboardVariant& variant,
                    const device::DefaultKeyTable& defaults, KeyActionPage& page);

}  // namespace quorlin::keys
