#include "profiles/profile_stores.h"

#include <algorithm>

#include "profiles/string_pool.h"

namespace quorlin::profiles {

void EmptyWorkingContents(WorkingContents& working) {
  working.header.fill(0);
  working.actions = {};
  working.texts.Clear();
  working.macro_list.clear();
  working.loaded = false;
}

void MakeEmptyProfileImage(uint8_t flag, WorkingContents& working) {
  EmptyWorkingContents(working);
  WriteProfileHeader(HeaderOf(working.header), 0, 0, flag);
  std::copy(kFormatTagBlock.begin(), kFormatTagBlock.end(),
            working.header.begin() + kProfileHeaderSize);
  // Only page 0 gets the G-key codes: an empty file has always looked so.
  keys::SetGKeyCodes(working.actions.pages[0]);
}

void TakeAppliedCopy(const WorkingContents& working, AppliedContents& applied) {
  applied.header = working.header;
  applied.actions = working.actions;
  applied.macro_list = working.macro_list;
  applied.string_pool = PackStringPool(applied.actions, working.texts);
  WriteProfileHeader(HeaderOf(applied.header), static_cast<uint16_t>(applied.macro_list.size()),
                     static_cast<uint32_t>(applied.string_pool.size()), 0);
}

}  // namespace quorlin::profiles
