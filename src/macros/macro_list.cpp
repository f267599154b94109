#include "macros/macro_list.h"

#include <array>
#include <thread>
#include <utility>

#include "macros/macro_name.h"

namespace quorlin::macros {

uint16_t SmallestFreeIdentifier(const MacroList& list) {
  std::array<bool, kLastMacroIdentifier + 1> used{};
  for (const MacroRecord& macro : list) {
    if (macro.identifier <= kLastMacroIdentifier) used[macro.identifier] = true;
  }
  for (uint16_t id = kFirstMacroIdentifier; id <= kLastMacroIdentifier; ++id) {
    if (!used[id]) return id;
  }
  return 0;
}

MacroRecord NewMacroRecord(std::string_view name, const MacroList& list) {
  MacroRecord record;
  SetMacroName(record, name);
  record.play_count = 1;
  record.new_flag = 1;
  record.identifier = SmallestFreeIdentifier(list);
  record.event_count = 0;
  return record;
}

std::size_t MacroPositionOf(uint32_t identifier, const MacroList& list) {
  for (std::size_t position = 0; position < list.size(); ++position) {
    if (list[position].identifier == identifier) return position;
  }
  return 0;
}

const MacroRecord* FindMacro(uint32_t identifier, const MacroList& list) {
  for (const MacroRecord& macro : list) {
    if (macro.identifier == identifier) return &macro;
  }
  return nullptr;
}

MacroRecord* FindMacro(uint32_t identifier, MacroList& list) {
  return const_cast<MacroRecord*>(FindMacro(identifier, std::as_const(list)));
}

std::vector<uint32_t> MacroIdentifiers(const MacroList& list) {
  std::vector<uint32_t> ids;
  ids.reserve(list.size());
  for (const MacroRecord& macro : list) ids.push_back(macro.identifier);
  return ids;
}

std::string NextMacroName(MacroNameCounter& counter, const text::TextSource& texts) {
  return texts.Text("MACRO_NEW_PREFIX") + std::to_string(counter.Take());
}

void SleepTakenNamePause() {
  std::this_thread::sleep_for(kTakenNamePause);
}

bool IsNameTaken(std::string_view name, const std::vector<std::string>& names) {
  for (const std::string& other : names) {
    if (StartsWithIgnoringCase(other, name)) return true;
  }
  return false;
}

std::string NextFreeMacroName(MacroNameCounter& counter, const text::TextSource& texts,
                              const std::vector<std::string>& names,
                              const PauseBetweenTries& pause) {
  // Each name blocks at most one number of each length, so this ends.
  std::string name = NextMacroName(counter, texts);
  while (IsNameTaken(name, names)) {
    if (pause) pause();
    name = NextMacroName(counter, texts);
  }
  return name;
}

std::vector<std::string> MacroNames(const MacroList& list) {
  std::vector<std::string> names;
  names.reserve(list.size());
  for (const MacroRecord& macro : list) names.push_back(MacroName(macro));
  return names;
}

}  // namespace quorlin::macros
