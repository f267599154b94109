#pragma once
// What the editor's pages turn into: the Key action one key gets, and the
// page and selections an existing Key action opens with.

#include <array>
#include <cstdint>
#include <optional>

#include "keys/key_action.h"
#include "keys/key_code.h"

namespace quorlin::ui {

// The page kinds the editor shows; kCleared is what Clear leaves.
enum class PageKind : uint16_t {
  kCleared = 0,
  kSingleKey = 2,
  kMacro = 4,
  kMedia = 7,
  kFunction = 8,
};

// The mouse-function list of the single-key page, in list order.
inline constexpr std::array<keys::KeyCode, 5> kMouseFunctions = {
    keys::kMouseLeft, keys::kMouseRight, keys::kMouseMiddle, keys::kWheelUp, keys::kWheelDown};

// The row of a mouse function, nothing for any other key.
std::optional<int> MouseFunctionRow(keys::KeyCode code);

// The page state at the moment of Apply or OK.
struct PageChoice {
  PageKind kind = PageKind::kCleared;
  bool mouse = false;  // MOU ticked instead of KB
  keys::KeyCode captured = keys::kNoKey;
  int mouse_row = 0;
  std::optional<uint16_t> macro_id = std::nullopt;  // none with an empty selector
  uint8_t play_count = 1;
  int media_row = 0;
  int function_row = 0;
};

// The Key action for record `edited_index`. A key given itself, an empty
// capture and the macro page without macros all store Default. A kind the
// editor has no page for (disabled, stop-macro, run program, text block)
// that the user left alone keeps `original` whole, text included.
keys::KeyAction BuildKeyAction(int edited_index, const PageChoice& choice,
                               const keys::KeyAction& original);

// Whether the kind is one the editor builds; other kinds are only kept.
bool IsEditorKind(PageKind kind);

// The page shown for a Page kind: single key for Default and for the kinds
// the editor has no page for.
PageKind ShownPage(PageKind kind);

}  // namespace quorlin::ui
