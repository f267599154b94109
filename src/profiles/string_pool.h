#pragma once
// The string pool: where an image keeps the texts of its Run program and
// Text block Key actions, UTF-16LE with terminators, in record order.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "keys/key_action_store.h"
#include "keys/text_side_table.h"

namespace quorlin::profiles {

// Packs the texts of every record that owns one and points its param at
// its text. The pool is as large as the side table's total, so texts held
// for records of other kinds leave zero bytes at the end. A record that
// should own a text but has none gets an empty one: a param pointing
// nowhere would make the image unreadable.
std::vector<uint8_t> PackStringPool(keys::KeyActionStore& actions,
                                    const keys::TextSideTable& texts);

// The text a param points at: from the even offset up to the terminator.
// Nothing when the offset or the terminator lies outside the pool.
std::optional<std::u16string> PoolText(std::span<const uint8_t> pool, uint32_t param);

// True when every record that owns a text points inside the pool.
bool PoolTextsInside(const keys::KeyActionStore& actions, std::span<const uint8_t> pool);

// Copies each owned text out of the pool into `texts` (cleared first).
// False, with `texts` cleared, when a text lies outside the pool.
bool UnpackStringPool(const keys::KeyActionStore& actions, std::span<const uint8_t> pool,
                      keys::TextSideTable& texts);

}  // namespace quorlin::profiles
