#pragma once
// Whether the applied macros fit the keyboard's macro capacity, and the two
// messages an apply shows about it.

#include <cstddef>

#include "macros/macro_area.h"
#include "macros/message_view.h"
#include "text/text_source.h"

namespace quorlin::macros {

enum class MacroAreaFit {
  kTooLong,       // not even without names: nothing may be written
  kWithoutNames,  // the events fit, the names do not
  kWithNames,
};

struct MacroAreaPlan {
  MacroAreaFit fit = MacroAreaFit::kTooLong;
  std::size_t size = 0;  // the image's size; 0 when too long
  bool with_names() const { return fit == MacroAreaFit::kWithNames; }
};

// `capacity` is the Device info record's byte 11 times 128.
MacroAreaPlan PlanMacroArea(const MacroList& list, int capacity);

// "EXTRA_MACRO_TOO_LONG": the apply stops, nothing written.
void ShowMacroAreaTooLong(const text::TextSource& texts, MessageView& view);

// After the write: an image without names shows "EXTRA_PROFILE_SPACE_TIGHT",
// whether or not a key plays a macro: the next read from the keyboard
// renames every macro, and the user must hear of it when it happens.
// Returns whether it was shown.
bool ShowSpaceTightIfNeeded(const MacroAreaPlan& plan, const text::TextSource& texts,
                            MessageView& view);

}  // namespace quorlin::macros
