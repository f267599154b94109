#include "macros/macro_area_plan.h"

namespace quorlin::macros {

MacroAreaPlan PlanMacroArea(const MacroList& list, int capacity) {
  const MacroAreaSizes sizes = MacroAreaSizesOf(list);
  // The image's own length field caps it too, whatever the capacity claims.
  const std::size_t room = capacity > 0 ? static_cast<std::size_t>(capacity) : 0;
  const std::size_t usable = room < kMaxMacroAreaSize ? room : kMaxMacroAreaSize;
  if (list.size() > kMaxMacros || sizes.compact > usable) return {};
  if (sizes.full <= usable) return {.fit = MacroAreaFit::kWithNames, .size = sizes.full};
  return {.fit = MacroAreaFit::kWithoutNames, .size = sizes.compact};
}

void ShowMacroAreaTooLong(const text::TextSource& texts, MessageView& view) {
  view.ShowMessage(texts.Text("EXTRA_MACRO_TOO_LONG"));
}

bool ShowSpaceTightIfNeeded(const MacroAreaPlan& plan, const text::TextSource& texts,
                            MessageView& view) {
  if (plan.fit != MacroAreaFit::kWithoutNames) return false;
  view.ShowMessage(texts.Text("EXTRA_PROFILE_SPACE_TIGHT"));
  return true;
}

}  // namespace quorlin::macros
