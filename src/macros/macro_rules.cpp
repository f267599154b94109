#include "macros/macro_rules.h"

#include <algorithm>

#include "macros/macro_name.h"
#include "macros/utf16_text.h"
#include "text/format.h"

namespace quorlin::macros {
namespace {

using keys::KeyActionKind;

// An empty name or one that starts with a blank would be hard to tell
// apart in the selector, so it gets a generated one.
bool NeedsGeneratedName(std::string_view name) {
  return name.empty() || name.front() == ' ';
}

std::vector<std::string> NamesExcept(const MacroList& list, std::size_t position) {
  std::vector<std::string> names = MacroNames(list);
  names.erase(names.begin() + static_cast<std::ptrdiff_t>(position));
  return names;
}

RenameOutcome CreateFromTypedName(MacroList& editing, std::string shown, MacroNameCounter& counter,
                                  const text::TextSource& texts, const PauseBetweenTries& pause) {
  counter.Reset();
  if (NeedsGeneratedName(shown)) shown = NextFreeMacroName(counter, texts, {}, pause);
  editing.push_back(NewMacroRecord(shown, editing));
  return {.position = editing.size() - 1, .shown = std::move(shown), .created = true};
}

// Leading blanks, a sign and the digits that follow, as the C library reads
// a number; saturates instead of overflowing.
long long ReadDecimal(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  constexpr long long kCeiling = 1'000'000'000'000LL;
  long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = std::min(kCeiling, value * 10 + (text[at] - '0'));
  }
  return negative ? -value : value;
}

}  // namespace

std::optional<std::size_t> AddMacro(MacroList& editing, MacroNameCounter& counter,
                                    const text::TextSource& texts, MessageView& view,
                                    const PauseBetweenTries& pause) {
  if (editing.size() >= kMaxMacros) {
    view.ShowMessage(text::FormatWithInt(texts.Text("MACRO_ERR_MAX"), kMaxMacros));
    return std::nullopt;
  }
  if (editing.empty()) counter.Reset();
  const std::string name = NextFreeMacroName(counter, texts, MacroNames(editing), pause);
  editing.push_back(NewMacroRecord(name, editing));
  return editing.size() - 1;
}

std::optional<RenameOutcome> RenameMacro(MacroList& editing, std::size_t current,
                                         std::string_view typed, MacroNameCounter& counter,
                                         const text::TextSource& texts,
                                         const PauseBetweenTries& pause) {
  std::string shown = CutToUtf16Units(typed, kSelectorTextUnits);
  if (editing.empty()) return CreateFromTypedName(editing, std::move(shown), counter, texts, pause);
  if (current >= editing.size()) return std::nullopt;

  const std::vector<std::string> others = NamesExcept(editing, current);
  if (NeedsGeneratedName(shown) || IsNameTaken(shown, others)) {
    shown = NextFreeMacroName(counter, texts, others, pause);
  }
  SetMacroName(editing[current], shown);
  return RenameOutcome{.position = current, .shown = std::move(shown), .created = false};
}

bool MacroInUse(uint32_t identifier, const keys::KeyActionStore& actions) {
  for (const keys::KeyActionPage& page : actions.pages) {
    for (const keys::KeyAction& action : page) {
      if (action.kind == KeyActionKind::kMacro && action.param == identifier) return true;
    }
  }
  return false;
}

DeleteOutcome DeleteMacro(MacroList& editing, std::size_t position, const InUseCheck& in_use,
                          MacroDeletedFlag& deleted_flag, const text::TextSource& texts,
                          MessageView& view) {
  if (position >= editing.size()) return {};
  const MacroRecord& macro = editing[position];
  if (macro.new_flag != 1 && in_use && in_use(macro.identifier)) {
    // Set before the question: the keys are reset at apply whatever the
    // answer, and they may sit in any profile.
    deleted_flag.Set();
    if (!view.AskYesNo(texts.Text("MACRO_DELETE_CONFIRM_OF_KEYS"))) {
      return {.deleted = false, .selected = position};
    }
  }
  editing.erase(editing.begin() + static_cast<std::ptrdiff_t>(position));
  if (editing.empty()) return {.deleted = true, .selected = std::nullopt};
  return {.deleted = true, .selected = position > 0 ? position - 1 : 0};
}

ChangedRecords ReconcileMacroActions(keys::KeyActionStore& actions, const MacroList& editing) {
  ChangedRecords changed;
  for (int page = 0; page < keys::kStorePages; ++page) {
    for (int record = 0; record < keys::kRecordsPerPage; ++record) {
      keys::KeyAction& action = actions.pages[page][record];
      if (action.kind != KeyActionKind::kMacro) continue;
      if (action.param == 0) {
        if (editing.empty()) continue;
        action.param = editing.front().identifier;
      } else {
        const MacroRecord* macro = FindMacro(action.param, editing);
        if (macro != nullptr && macro->new_flag != 1) continue;
        action.kind = KeyActionKind::kDefault;
      }
      changed[page].push_back(record);
    }
  }
  return changed;
}

MacroList StoredMacroList(const MacroList& editing) {
  MacroList stored = editing;
  for (MacroRecord& macro : stored) macro.new_flag = 0;
  return stored;
}

ChangedRecords CommitMacroEdits(keys::KeyActionStore& actions, MacroList& working_list,
                                const MacroList& editing) {
  ChangedRecords changed = ReconcileMacroActions(actions, editing);
  working_list = StoredMacroList(editing);
  return changed;
}

uint8_t PlayCountFromText(std::string_view text) {
  return static_cast<uint8_t>(std::clamp<long long>(ReadDecimal(text), 1, 255));
}

uint32_t CorrectedDelay(uint64_t typed_ms) {
  if (typed_ms > kMaxEventDelay) return kMaxEventDelay;
  return static_cast<uint32_t>(typed_ms - typed_ms % kDelayStep);
}

uint32_t CommitEditedDelay(std::string_view digits, const text::TextSource& texts,
                           MessageView& view) {
  const long long typed = std::max(0LL, ReadDecimal(digits));
  if (typed > static_cast<long long>(kMaxEventDelay)) {
    view.ShowMessage(text::FormatWithInt(texts.Text("MACRO_ACTION_ERR_DELAY_MAX"), kMaxEventDelay));
  }
  return CorrectedDelay(static_cast<uint64_t>(typed));
}

}  // namespace quorlin::macros
