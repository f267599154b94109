#include "flows/reload_merge.h"

#include <algorithm>
#include <map>
#include <set>

namespace quorlin::flows {

namespace {

using macros::MacroList;
using macros::MacroRecord;

const MacroRecord* FindMacro(const MacroList& list, uint16_t identifier) {
  const auto it = std::find_if(list.begin(), list.end(), [identifier](const MacroRecord& m) {
    return m.identifier == identifier;
  });
  return it == list.end() ? nullptr : &*it;
}

void PutMacro(MacroList& list, const MacroRecord& macro) {
  const auto it = std::find_if(list.begin(), list.end(), [&macro](const MacroRecord& m) {
    return m.identifier == macro.identifier;
  });
  if (it != list.end()) {
    *it = macro;
  } else {
    list.push_back(macro);
  }
}

uint16_t FreeIdentifier(const std::set<uint16_t>& used) {
  for (uint16_t id = 1; id <= macros::kMaxMacros; ++id)
    if (!used.contains(id)) return id;
  return 0;
}

// The key actions the window changed, with their texts, over `keyboard`;
// `renamed` maps identifiers of macros the window added that had to move.
void LayKeysOver(const profiles::WorkingContents& loaded, const profiles::WorkingContents& edited,
                 const std::map<uint16_t, uint16_t>& renamed, profiles::WorkingContents& keyboard) {
  for (int page = 0; page < keys::kStorePages; ++page) {
    for (int record = 0; record < keys::kRecordsPerPage; ++record) {
      const auto p = static_cast<std::size_t>(page);
      const auto r = static_cast<std::size_t>(record);
      keys::KeyAction action = edited.actions.pages[p][r];
      if (action == loaded.actions.pages[p][r]) continue;
      if (action.kind == keys::KeyActionKind::kMacro) {
        const auto moved = renamed.find(static_cast<uint16_t>(action.param));
        if (moved != renamed.end()) action.param = moved->second;
      }
      keyboard.actions.pages[p][r] = action;
      const std::size_t number = keys::StoreRecordNumber(page, record);
      if (const std::u16string* text = edited.texts.Text(number)) {
        keyboard.texts.Set(number, *text);
      } else {
        keyboard.texts.Release(number);
      }
    }
  }
}

}  // namespace

profiles::WorkingContents LayEditsOver(const profiles::WorkingContents& loaded,
                                       const profiles::WorkingContents& edited,
                                       profiles::WorkingContents keyboard) {
  std::set<uint16_t> used;
  for (const MacroRecord& m : keyboard.macro_list) used.insert(m.identifier);
  for (const MacroRecord& m : edited.macro_list) used.insert(m.identifier);

  // Deleted by the window: gone from the keyboard too.
  for (const MacroRecord& before : loaded.macro_list) {
    if (FindMacro(edited.macro_list, before.identifier) != nullptr) continue;
    std::erase_if(keyboard.macro_list,
                  [&before](const MacroRecord& m) { return m.identifier == before.identifier; });
  }
  std::map<uint16_t, uint16_t> renamed;
  for (const MacroRecord& mine : edited.macro_list) {
    const MacroRecord* before = FindMacro(loaded.macro_list, mine.identifier);
    if (before != nullptr && *before == mine) continue;  // untouched by the window
    MacroRecord laid = mine;
    if (before == nullptr && FindMacro(keyboard.macro_list, mine.identifier) != nullptr) {
      // Both added a macro under the same identifier: the window's moves.
      const uint16_t free = FreeIdentifier(used);
      if (free == 0) continue;  // no room: the keyboard's stays
      used.insert(free);
      renamed[mine.identifier] = free;
      laid.identifier = free;
    }
    PutMacro(keyboard.macro_list, laid);
  }
  LayKeysOver(loaded, edited, renamed, keyboard);
  return keyboard;
}

}  // namespace quorlin::flows
