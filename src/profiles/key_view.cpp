#include "profiles/key_view.h"

#include "keys/describe_key_action.h"
#include "keys/key_stores.h"
#include "macros/macro_list.h"
#include "macros/macro_name.h"

namespace quorlin::profiles {

std::vector<KeyButtonState> DescribeKeyViewPage(const WorkingContents& working, int profile,
                                                const text::TextSource& texts) {
  const int page = profile >= 0 && profile < keys::kProfileCount ? profile : 0;
  const keys::KeyActionPage& actions = working.actions.pages[static_cast<std::size_t>(page)];
  const keys::MacroNameLookup macro_name = [&](uint32_t id) {
    const macros::MacroRecord* macro = macros::FindMacro(id, working.macro_list);
    return macro != nullptr ? macros::MacroName(*macro) : std::string();
  };
  std::vector<KeyButtonState> buttons;
  buttons.reserve(keys::ProfileButtonRecords().size());
  for (int key_index : keys::ProfileButtonRecords()) {
    const keys::KeyDescription d =
        keys::DescribeKeyAction(keys::KeyButtonLabel(key_index, texts),
                                actions[static_cast<std::size_t>(key_index)], texts, macro_name);
    buttons.push_back({.key_index = key_index, .assigned = d.assigned, .tooltip = d.text});
  }
  return buttons;
}

}  // namespace quorlin::profiles
