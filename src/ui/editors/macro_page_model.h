#pragma once
// The macro page's state without its widgets: the editing copies of the
// macros, the current macro's event rows, the play count and the recorder.
// The page shows what this holds and calls one operation per user action.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_action_store.h"
#include "keys/key_code.h"
#include "macros/macro_deleted_flag.h"
#include "macros/macro_list.h"
#include "macros/macro_record.h"
#include "macros/macro_rules.h"
#include "macros/message_view.h"
#include "text/text_source.h"

namespace quorlin::ui {

enum class RowMove { kTop, kUp, kDown, kBottom };

class MacroPageModel {
 public:
  MacroPageModel(macros::MacroNameCounter& counter, const text::TextSource& texts,
                 macros::MessageView& view,
                 macros::PauseBetweenTries pause = macros::SleepTakenNamePause);

  // Copies of the working macros (new flag 0). The macro with `select_id`
  // is shown, else the first; with no `select_id` nothing is shown until
  // the page asks for the first (ShowFirstIfNone).
  void Load(const macros::MacroList& working, std::optional<uint32_t> select_id);
  void ShowFirstIfNone();

  const macros::MacroList& Macros() const { return editing_; }
  std::vector<std::string> Names() const;
  std::optional<std::size_t> Current() const { return current_; }
  const macros::MacroRecord* CurrentMacro() const;

  // Selector actions. Each leaves the current macro first.
  void Select(std::size_t position);
  std::optional<std::size_t> Add();
  // True when the macro went; in-use keys are asked about.
  bool DeleteCurrent(const macros::InUseCheck& in_use, macros::MacroDeletedFlag& deleted_flag);
  // What the selector shows afterwards; nothing when no entry changed.
  std::optional<std::string> Rename(std::string_view typed);

  // The play-count field: returns the corrected text the field shows.
  std::string SetPlayCountText(std::string_view text);
  const std::string& PlayCountText() const { return play_count_text_; }

  // The current macro's events, one row each.
  const std::vector<macros::MacroEvent>& Rows() const { return rows_; }
  std::optional<std::size_t> SelectedRow() const { return selected_row_; }
  void SelectRow(std::optional<std::size_t> row);
  void MoveSelectedRow(RowMove move);
  void DeleteSelectedRow();
  // Asks first; true when the rows went.
  bool ClearRows();
  void SetRowKey(std::size_t row, keys::KeyCode key);
  void SetRowDirection(std::size_t row, uint16_t direction);
  // The committed digits of a delay cell; returns the delay the row took.
  // Stops the recorder first.
  uint32_t SetRowDelay(std::size_t row, std::string_view digits);

  // The recorder. `now_ms` is a monotonic clock in milliseconds.
  bool Recording() const { return recording_; }
  void StartRecording(uint64_t now_ms);
  void StopRecording() { recording_ = false; }
  // One recorded event: `measured` delays are kept with record_delay 1,
  // else 50 ms. False when the list is full and the event was dropped.
  bool AddRecordedEvent(keys::KeyCode key, uint16_t direction, uint32_t delay, int record_delay);
  // The delay since the last recorded event, and `now_ms` becomes it.
  uint32_t TakeElapsed(uint64_t now_ms);

  // Writes the page back into the current macro's copy.
  void LeaveCurrent();

  // The macro part of Apply: recorder stopped, the current macro left, the
  // consistency pass over `actions` and the working list replaced. The
  // caller holds the Working lock.
  macros::ChangedRecords Apply(keys::KeyActionStore& actions, macros::MacroList& working);

 private:
  void Show(std::optional<std::size_t> position);

  macros::MacroNameCounter& counter_;
  const text::TextSource& texts_;
  macros::MessageView& view_;
  macros::PauseBetweenTries pause_;

  macros::MacroList editing_;
  std::optional<std::size_t> current_;
  std::vector<macros::MacroEvent> rows_;
  std::optional<std::size_t> selected_row_;
  std::string play_count_text_ = "1";
  bool recording_ = false;
  uint64_t last_event_ms_ = 0;
};

}  // namespace quorlin::ui
