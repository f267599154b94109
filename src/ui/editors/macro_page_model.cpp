#include "ui/editors/macro_page_model.h"

#include <algorithm>
#include <utility>

#include "macros/record_delay.h"

namespace quorlin::ui {

MacroPageModel::MacroPageModel(macros::MacroNameCounter& counter, const text::TextSource& texts,
                               macros::MessageView& view, macros::PauseBetweenTries pause)
    : counter_(counter), texts_(texts), view_(view), pause_(std::move(pause)) {}

void MacroPageModel::Load(const macros::MacroList& working, std::optional<uint32_t> select_id) {
  editing_ = working;
  for (macros::MacroRecord& macro : editing_) macro.new_flag = 0;
  recording_ = false;
  current_.reset();
  rows_.clear();
  selected_row_.reset();
  play_count_text_ = "1";
  if (!select_id || editing_.empty()) return;
  std::size_t position = 0;
  for (std::size_t i = 0; i < editing_.size(); ++i) {
    if (editing_[i].identifier == *select_id) {
      position = i;
      break;
    }
  }
  Show(position);
}

void MacroPageModel::ShowFirstIfNone() {
  if (!current_ && !editing_.empty()) Show(0);
}

std::vector<std::string> MacroPageModel::Names() const {
  return macros::MacroNames(editing_);
}

const macros::MacroRecord* MacroPageModel::CurrentMacro() const {
  return current_ && *current_ < editing_.size() ? &editing_[*current_] : nullptr;
}

void MacroPageModel::Show(std::optional<std::size_t> position) {
  rows_.clear();
  selected_row_.reset();
  current_.reset();
  if (!position || *position >= editing_.size()) return;
  current_ = position;
  const macros::MacroRecord& macro = editing_[*position];
  play_count_text_ = std::to_string(std::max<int>(1, macro.play_count));
  const auto used = macros::UsedEvents(macro);
  rows_.assign(used.begin(), used.end());
}

void MacroPageModel::LeaveCurrent() {
  if (!current_ || *current_ >= editing_.size()) return;
  macros::MacroRecord& macro = editing_[*current_];
  macro.play_count = macros::PlayCountFromText(play_count_text_);
  macros::SetEvents(macro, rows_);
}

void MacroPageModel::Select(std::size_t position) {
  if (position >= editing_.size()) return;
  LeaveCurrent();
  Show(position);
}

std::optional<std::size_t> MacroPageModel::Add() {
  LeaveCurrent();
  const auto added = macros::AddMacro(editing_, counter_, texts_, view_, pause_);
  if (added) Show(added);
  return added;
}

bool MacroPageModel::DeleteCurrent(const macros::InUseCheck& in_use,
                                   macros::MacroDeletedFlag& deleted_flag) {
  if (!current_) return false;
  const macros::DeleteOutcome outcome =
      macros::DeleteMacro(editing_, *current_, in_use, deleted_flag, texts_, view_);
  if (outcome.deleted) Show(outcome.selected);
  return outcome.deleted;
}

std::optional<std::string> MacroPageModel::Rename(std::string_view typed) {
  const std::size_t current = current_.value_or(0);
  auto outcome = macros::RenameMacro(editing_, current, typed, counter_, texts_, pause_);
  if (!outcome) return std::nullopt;
  if (outcome->created) Show(outcome->position);
  return std::move(outcome->shown);
}

std::string MacroPageModel::SetPlayCountText(std::string_view text) {
  play_count_text_ = std::to_string(macros::PlayCountFromText(text));
  return play_count_text_;
}

void MacroPageModel::SelectRow(std::optional<std::size_t> row) {
  selected_row_ = row && *row < rows_.size() ? row : std::nullopt;
}

void MacroPageModel::MoveSelectedRow(RowMove move) {
  if (!selected_row_) return;
  const std::size_t from = *selected_row_;
  const std::size_t last = rows_.size() - 1;
  std::size_t to = from;
  switch (move) {
    case RowMove::kTop:
      to = 0;
      break;
    case RowMove::kUp:
      to = from > 0 ? from - 1 : 0;
      break;
    case RowMove::kDown:
      to = std::min(from + 1, last);
      break;
    case RowMove::kBottom:
      to = last;
      break;
  }
  const macros::MacroEvent moved = rows_[from];
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(from));
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(to), moved);
  selected_row_ = to;
}

void MacroPageModel::DeleteSelectedRow() {
  if (!selected_row_) return;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*selected_row_));
  if (rows_.empty()) {
    selected_row_.reset();
  } else {
    selected_row_ = std::min(*selected_row_, rows_.size() - 1);
  }
}

bool MacroPageModel::ClearRows() {
  if (rows_.empty()) return false;
  if (!view_.AskYesNo(texts_.Text("MACRO_ACTION_CLEAR_CONFIRM"))) return false;
  rows_.clear();
  selected_row_.reset();
  return true;
}

void MacroPageModel::SetRowKey(std::size_t row, keys::KeyCode key) {
  if (row < rows_.size() && key != keys::kNoKey) rows_[row].key = key;
}

void MacroPageModel::SetRowDirection(std::size_t row, uint16_t direction) {
  if (row < rows_.size() && direction <= macros::kRelease) rows_[row].direction = direction;
}

uint32_t MacroPageModel::SetRowDelay(std::size_t row, std::string_view digits) {
  StopRecording();
  const uint32_t delay = macros::CommitEditedDelay(digits, texts_, view_);
  if (row < rows_.size()) rows_[row].delay = delay;
  return delay;
}

void MacroPageModel::StartRecording(uint64_t now_ms) {
  if (!current_) return;
  recording_ = true;
  last_event_ms_ = now_ms;
}

uint32_t MacroPageModel::TakeElapsed(uint64_t now_ms) {
  const uint64_t elapsed = now_ms >= last_event_ms_ ? now_ms - last_event_ms_ : 0;
  last_event_ms_ = now_ms;
  // A long pause is kept as the longest delay an event can have; the macro
  // area's field would otherwise wrap it into a short one.
  return static_cast<uint32_t>(std::min<uint64_t>(elapsed, macros::kMaxEventDelay));
}

bool MacroPageModel::AddRecordedEvent(keys::KeyCode key, uint16_t direction, uint32_t delay,
                                      int record_delay) {
  if (rows_.size() >= macros::kMaxMacroEvents) return false;
  const uint32_t kept =
      std::min(macros::RecordedDelay(delay, record_delay), macros::kMaxEventDelay);
  const std::size_t at = selected_row_ ? *selected_row_ + 1 : rows_.size();
  macros::MacroEvent event{.delay = 0, .key = key, .direction = direction};
  // The measured time is the pause after the row before the new one.
  if (at > 0) {
    event.delay = rows_[at - 1].delay;
    rows_[at - 1].delay = kept;
  }
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), event);
  selected_row_ = at;
  return true;
}

macros::ChangedRecords MacroPageModel::Apply(keys::KeyActionStore& actions,
                                             macros::MacroList& working) {
  StopRecording();
  LeaveCurrent();
  macros::ChangedRecords changed = macros::CommitMacroEdits(actions, working, editing_);
  // Applied macros are stored ones now: deleting one later asks about keys.
  for (macros::MacroRecord& macro : editing_) macro.new_flag = 0;
  return changed;
}

}  // namespace quorlin::ui
