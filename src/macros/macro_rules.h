#pragma once
// The rules of the macro page of the key editor, as functions over the
// editor's copies of the macros (`editing`, in selector order) and the Key
// action store, so the window only shows what they decide.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_action_store.h"
#include "macros/macro_deleted_flag.h"
#include "macros/macro_list.h"
#include "macros/macro_record.h"
#include "macros/message_view.h"
#include "text/text_source.h"

namespace quorlin::macros {

// The selector's edit field holds this many characters; the record keeps 249.
inline constexpr std::size_t kSelectorTextUnits = 259;

// Appends a new macro with a generated name and returns its position, or
// shows "MACRO_ERR_MAX" and adds nothing when the list holds 100 macros.
std::optional<std::size_t> AddMacro(MacroList& editing, MacroNameCounter& counter,
                                    const text::TextSource& texts, MessageView& view,
                                    const PauseBetweenTries& pause = SleepTakenNamePause);

struct RenameOutcome {
  std::size_t position = 0;  // the entry that carries the name
  std::string shown;         // what the selector shows (up to 259 units)
  bool created = false;      // the list was empty, so a macro was added
};

// The selector's text changed to `typed` while `current` is selected. A text
// that another name begins with, an empty text or one that starts with a
// blank is replaced by a generated name. With an empty list the text makes
// a new macro instead. Nothing when `current` is not an entry of the list.
std::optional<RenameOutcome> RenameMacro(MacroList& editing, std::size_t current,
                                         std::string_view typed, MacroNameCounter& counter,
                                         const text::TextSource& texts,
                                         const PauseBetweenTries& pause = SleepTakenNamePause);

// Whether a Key action of kind Macro in any of the 2048 records refers to
// `identifier`. The caller holds the lock of the store.
bool MacroInUse(uint32_t identifier, const keys::KeyActionStore& actions);

// Asks whether keys use a macro; the editor answers with MacroInUse under
// the Working lock, and releases the lock before the question is shown.
using InUseCheck = std::function<bool(uint32_t identifier)>;

struct DeleteOutcome {
  bool deleted = false;
  std::optional<std::size_t> selected;  // the entry to show next; none when empty
};

// Deletes the macro at `position`. A macro the editor created goes without a
// question; one that keys use sets the Macro-deleted flag and asks
// "MACRO_DELETE_CONFIRM_OF_KEYS", keeping the macro on No.
DeleteOutcome DeleteMacro(MacroList& editing, std::size_t position, const InUseCheck& in_use,
                          MacroDeletedFlag& deleted_flag, const text::TextSource& texts,
                          MessageView& view);

// Records of each store page that the consistency pass changed.
using ChangedRecords = std::array<std::vector<int>, keys::kStorePages>;

// The consistency pass of an apply, over all 2048 records: a Key action of
// kind Macro with identifier 0 takes the first macro's identifier; one whose
// identifier no macro of `editing` holds, or only a macro the editor created,
// becomes Default. The caller holds the Working lock.
ChangedRecords ReconcileMacroActions(keys::KeyActionStore& actions, const MacroList& editing);

// The copies that replace the working list: every new flag 0.
MacroList StoredMacroList(const MacroList& editing);

// The macro part of an apply: the consistency pass, then the working list
// replaced by the stored copies. The caller holds the Working lock.
ChangedRecords CommitMacroEdits(keys::KeyActionStore& actions, MacroList& working_list,
                                const MacroList& editing);

// The play-count field's text read as a decimal number: 0 or less gives 1,
// 256 or more 255. The field then shows the returned value.
uint8_t PlayCountFromText(std::string_view text);

// An edited delay: above 40000 ms it is 40000, otherwise rounded down to a
// multiple of 10 ms.
uint32_t CorrectedDelay(uint64_t typed_ms);

// The committed text of the delay cell (digits only): the corrected delay,
// after "MACRO_ACTION_ERR_DELAY_MAX" when the value was above 40000.
uint32_t CommitEditedDelay(std::string_view digits, const text::TextSource& texts,
                           MessageView& view);

}  // namespace quorlin::macros
