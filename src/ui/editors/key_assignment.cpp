#include "ui/editors/key_assignment.h"

#include "keys/key_action_store.h"
#include "keys/media_list.h"

namespace quorlin::ui {

std::optional<int> MouseFunctionRow(keys::KeyCode code) {
  for (std::size_t i = 0; i < kMouseFunctions.size(); ++i)
    if (kMouseFunctions[i] == code) return static_cast<int>(i);
  return std::nullopt;
}

bool IsEditorKind(PageKind kind) {
  switch (kind) {
    case PageKind::kCleared:
    case PageKind::kSingleKey:
    case PageKind::kMacro:
    case PageKind::kMedia:
    case PageKind::kFunction:
      return true;
  }
  return false;
}

keys::KeyAction BuildKeyAction(int edited_index, const PageChoice& choice,
                               const keys::KeyAction& original) {
  if (!IsEditorKind(choice.kind)) return original;
  keys::KeyAction action;
  action.kind = static_cast<keys::KeyActionKind>(choice.kind);
  action.aux = keys::GKeyCodeOfRecord(edited_index);
  switch (choice.kind) {
    case PageKind::kSingleKey:
      if (choice.mouse) {
        const auto row = static_cast<std::size_t>(choice.mouse_row);
        action.param = row < kMouseFunctions.size() ? kMouseFunctions[row] : kMouseFunctions[0];
      } else if (choice.captured == keys::kNoKey ||
                 keys::KeyIndexFromCode(choice.captured) == edited_index) {
        action.kind = keys::KeyActionKind::kDefault;
      } else {
        action.param = choice.captured;
      }
      break;
    case PageKind::kMacro:
      if (choice.macro_id) {
        action.param = *choice.macro_id;
        action.aux = choice.play_count;
      } else {
        action.kind = keys::KeyActionKind::kDefault;
      }
      break;
    case PageKind::kMedia:
      action.param = static_cast<uint32_t>(choice.media_row);
      break;
    case PageKind::kFunction:
      action.param = static_cast<uint32_t>(choice.function_row);
      break;
    case PageKind::kCleared:
      break;
  }
  return action;
}

PageKind ShownPage(PageKind kind) {
  switch (kind) {
    case PageKind::kMacro:
    case PageKind::kMedia:
    case PageKind::kFunction:
      return kind;
    default:
      return PageKind::kSingleKey;
  }
}

}  // namespace quorlin::ui
