#include "profiles/profile_menu.h"

namespace quorlin::profiles {

ProfileMenu MakeProfileMenu(const text::TextSource& texts, int active_profile,
                            const std::array<std::string, 3>& host_copy_names) {
  ProfileMenu menu;
  menu.items.push_back({.id = kDefaultProfileItemId, .text = texts.Text("DEFAULT_PROFILE_NAME")});
  menu.items.push_back({.id = 0, .text = {}, .separator = true});
  for (int n = 0; n < 3; ++n) {
    menu.items.push_back(
        {.id = kFirstProfileItemId + n, .text = host_copy_names[static_cast<std::size_t>(n)]});
  }
  const bool known = active_profile >= 0 && active_profile < 3;
  menu.checked_position = known ? active_profile + kFirstProfilePosition : 0;
  menu.button_text = menu.items[static_cast<std::size_t>(menu.checked_position)].text;
  menu.button_tooltip = texts.Text("PROFILE_TIP") + menu.button_text;
  return menu;
}

std::optional<int> ProfileOfMenuItem(int id) {
  if (id == kDefaultProfileItemId) return -1;
  if (id >= kFirstProfileItemId && id < kFirstProfileItemId + 3) return id - kFirstProfileItemId;
  return std::nullopt;
}

}  // namespace quorlin::profiles
