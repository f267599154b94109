#pragma once
// The two stores the program keeps: the working store the editors change
// and profile files save, and the applied store copied from it at each apply,
// from which the device images are built. Each is guarded by its own lock.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "keys/guarded.h"
#include "keys/key_action_store.h"
#include "keys/text_side_table.h"

namespace quorlin::keys {

struct WorkingContents {
  KeyActionStore actions;
  TextSideTable texts;
};

struct AppliedContents {
  KeyActionStore actions;
  std::vector<uint8_t> string_pool;  // the texts, packed when the copy was taken
};

using WorkingStore = Guarded<WorkingContents>;
using AppliedStore = Guarded<AppliedContents>;

// What the main window shows per key; implemented by the UI, faked in tests.
class KeyTooltipView {
 public:
  virtual ~KeyTooltipView() = default;
  // The records at `key_indexes` of `profile` changed. Called with the
  // Working lock released, so the view may read the store again.
  virtual void RefreshKeyTooltips(int profile, std::span<const int> key_indexes) = 0;
};

// The records a profile reset clears: the nine G-keys of the view, then the
// 106 key buttons, as Key indexes.
const std::array<int, 115>& ProfileButtonRecords();

// Zeroes those records of page `profile` (G-key records keep their codes)
// and releases any text they owned. Pages outside 0..3 are left alone.
void ClearProfileRecords(KeyActionStore& actions, TextSideTable& texts, int profile);

// The same under the Working lock, then the tooltips of the cleared records.
void ClearProfileActions(WorkingStore& store, int profile, KeyTooltipView& view);

}  // namespace quorlin::keys
